#pragma once
// The player's message box: a box without system caption that stays on top of other windows, shows
// error texts (and, when asked, warnings and information) one after another in their colours while it
// stays open, and starts a fresh text with the first message after it was closed. In silent mode it
// never appears. The program makes one at start; `ErrMessage` reaches it for the whole run.
#include "player/dialogs/TCaptionlessDialog.h"

#include <QImage>

#include <cstdint>
#include <string>

class QTextEdit;
class TStaticHoverButton;

class TErrMessage : public TCaptionlessDialog {
public:
    // Report kinds: only errors appear unless the report is forced.
    static constexpr uint8_t kError = 0;
    static constexpr uint8_t kPlayerError = 1;
    static constexpr uint8_t kWarning = 2;
    static constexpr uint8_t kInformation = 3;

    explicit TErrMessage(QWidget* owner = nullptr);
    ~TErrMessage() override;

    // Shows the text (8-bit, UTF-8) of that kind, below what the open box already shows; a warning or
    // information only when forced. Nothing at all in silent mode.
    void Report(uint8_t kind, const std::string& text, bool force);
    // Takes the skin's message-box picture as its background and repaints.
    void ApplySkin(const QImage& messagesBitmap);

    bool Silent() const { return silent_; }
    void SetSilent(bool silent) { silent_ = silent; }
    bool ShowPending() const { return showPending_; }
    // The messages shown now, one paragraph a line (empty lines between messages).
    QString Text() const;
    QTextEdit* Messages() const { return messages_; }

    // The colour of a kind's text.
    static QColor KindColour(uint8_t kind);

protected:
    void showEvent(QShowEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void AppendMessage(uint8_t kind, const QString& text);

    QTextEdit* messages_;
    TStaticHoverButton* closeButton_;
    QImage background_;
    bool silent_ = false;
    bool showPending_ = false;
};

// The program's message box; null before it is made and after it is gone.
extern TErrMessage* ErrMessage;
