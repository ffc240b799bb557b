#pragma once
// A player dialog without the system's caption: its own caption strip ("Pn_Caption" with the label
// "Lb_Caption") at the top moves it, and it opens in the middle of the screen.
#include <QDialog>

class QLabel;
class QLayout;
class QVBoxLayout;

class TCaptionlessDialog : public QDialog {
public:
    // Where the caption's text starts by default.
    static constexpr int kCaptionIndent = 4;

    // `extra` adds window flags (such as staying on top) to a frameless dialog.
    TCaptionlessDialog(QWidget* owner, Qt::WindowFlags extra, const QString& caption, QSize size);

    QLabel* CaptionLabel() const { return captionLabel_; }

protected:
    // Below the caption strip: what the dialog shows.
    QVBoxLayout* Body() const { return body_; }
    // Where the caption's text starts from the strip's left edge.
    void SetCaptionIndent(int left);

private:
    QLabel* captionLabel_;
    QLayout* stripLayout_;
    QVBoxLayout* body_;
};
