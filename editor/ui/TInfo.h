#pragma once
// The profile information and readme window ("Info"). Bound to a cursor, it shows the profile's four
// descriptive texts and the profile's or the language's readme; every edit is written back into the
// profile (the fields at once, the readme when the memo loses the focus or the window is left) and
// marks the profile modified.
#include "editor/IEditorViews.h"
#include "editor/TProfileCursor.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TShared;

class TInfo : public QDialog, public IInfoView {
public:
    TInfo(TShared& shared, QWidget* parent = nullptr);
    void ShowProfileInfo(const TProfileCursor* cursor) override;
    // Stores the memo into the selected readme buffer (profile and language bound).
    void StoreReadme();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowReadme();
    void FieldsEdited();
    void Modified();
    QLineEdit* AddEdit(const char* name, const char* label, int maxLength);

    TShared& shared_;
    TProfileCursor bound_;
    bool profileReadme_ = true;
    bool loading_ = false;
    QLineEdit* name_;
    QLineEdit* createdBy_;
    QLineEdit* lastUpdate_;
    QLineEdit* version_;
    QPushButton* profileButton_;
    QPushButton* languageButton_;
    QPlainTextEdit* readme_;
};
