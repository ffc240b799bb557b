#pragma once
// The player's modal question: three lines of text under its own caption strip, answered Yes (6) or
// No (7), or acknowledged with a single OK (7). In silent mode it never appears and answers No, so
// that no destructive question is taken as confirmed without a user. The program makes one at start;
// `YesNo` reaches it for the whole run.
#include "player/dialogs/TCaptionlessDialog.h"

class QLabel;
class QPushButton;
class TStaticHoverButton;

class TYesNo : public TCaptionlessDialog {
public:
    static constexpr int kYes = 6;
    static constexpr int kNo = 7;

    explicit TYesNo(QWidget* owner = nullptr);
    ~TYesNo() override;

    // Asks the three lines with Yes and No (or a lone OK when `yesNo` is false) and waits for the
    // answer: kYes or kNo.
    int Ask(const QString& line1, const QString& line2, const QString& line3, bool yesNo);

    bool Silent() const { return silent_; }
    void SetSilent(bool silent) { silent_ = silent; }

protected:
    void showEvent(QShowEvent* event) override;
    // Escape and closing answer No.
    void reject() override;

private:
    QLabel* lines_[3] = {};
    TStaticHoverButton* yesButton_;
    TStaticHoverButton* noButton_;
    QPushButton* defaultButton_;
    bool silent_ = false;
};

// The program's yes/no box; null before it is made and after it is gone.
extern TYesNo* YesNo;
