#include "player/dialogs/TErrMessage.h"

#include "player/ui/skin/buttons/TStaticHoverButton.h"

#include <QFrame>
#include <QKeyEvent>
#include <QPainter>
#include <QTextBlock>
#include <QTextEdit>
#include <QVBoxLayout>

TErrMessage* ErrMessage = nullptr;

namespace {

constexpr int kWidth = 360;
constexpr int kHeight = 200;
constexpr int kMargin = 8;

} // namespace

TErrMessage::TErrMessage(QWidget* owner)
    : TCaptionlessDialog(owner, Qt::WindowStaysOnTopHint, "Message", QSize(kWidth, kHeight)),
      messages_(new QTextEdit(this)), closeButton_(new TStaticHoverButton(this)) {
    setObjectName("ErrMessage");
    setWindowTitle("Message");
    setModal(false);
    messages_->setObjectName("Me_Msg");
    messages_->setReadOnly(true);
    // The text never keeps the focus: Enter and Escape always reach Close.
    messages_->setFocusPolicy(Qt::NoFocus);
    messages_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* frame = new QFrame(this);
    frame->setObjectName("Shape1");
    frame->setFrameShape(QFrame::Box);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(1, 1, 1, 1);
    frameLayout->addWidget(messages_);
    closeButton_->setObjectName("Bt_Close");
    closeButton_->SetTexto("Close");
    closeButton_->setFixedSize(90, 24);
    closeButton_->SetDefault(true);
    closeButton_->SetCancel(true);
    closeButton_->OnClick = [this](THoverButton*) { done(1); };
    Body()->setContentsMargins(kMargin, 4, kMargin, 0);
    Body()->addWidget(frame, 1);
    Body()->addWidget(closeButton_, 0, Qt::AlignHCenter);
    ErrMessage = this;
}

TErrMessage::~TErrMessage() {
    if (ErrMessage == this) {
        ErrMessage = nullptr;
    }
}

QColor TErrMessage::KindColour(uint8_t kind) {
    switch (kind) {
    case kError:
    case kPlayerError:
        return QColor(0xFF, 0x00, 0x00);
    case kWarning:
        return QColor(0xFF, 0x80, 0x00);
    case kInformation:
        return QColor(0x00, 0x80, 0x00);
    default:
        return QColor(Qt::black);
    }
}

void TErrMessage::Report(uint8_t kind, const std::string& text, bool force) {
    if (silent_) {
        return;
    }
    if (kind == kError || kind == kPlayerError || force) {
        if (!isVisible()) {
            messages_->clear();
        }
        AppendMessage(kind, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        showPending_ = true;
    } else {
        showPending_ = false;
    }
    if (showPending_) {
        // It takes the keyboard: Enter and Escape close it.
        show();
        raise();
        activateWindow();
    }
}

// An empty line, then the message in its colour, centred.
void TErrMessage::AppendMessage(uint8_t kind, const QString& text) {
    QTextDocument* document = messages_->document();
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::End);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    QTextCharFormat colour;
    colour.setForeground(KindColour(kind));
    if (!document->isEmpty()) {
        cursor.insertBlock(centred, colour);
    } else {
        cursor.setBlockFormat(centred);
    }
    cursor.insertBlock(centred, colour);
    cursor.insertText(text, colour);
    messages_->setTextCursor(cursor);
    messages_->ensureCursorVisible();
}

QString TErrMessage::Text() const {
    return messages_->toPlainText();
}

// A picture narrower than half the box is its icon: the caption and the messages start right of it,
// so that nothing covers it. A wider one is the box's background.
void TErrMessage::ApplySkin(const QImage& messagesBitmap) {
    background_ = messagesBitmap;
    const bool icon = !background_.isNull() && background_.width() < width() / 2;
    const int left = icon ? background_.width() + kMargin : kMargin;
    SetCaptionIndent(icon ? left : kCaptionIndent);
    Body()->setContentsMargins(left, 4, kMargin, 0);
    update();
}

void TErrMessage::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    closeButton_->setFocus();
}

void TErrMessage::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        closeButton_->Click();
        event->accept();
        return;
    }
    QDialog::keyReleaseEvent(event);
}

void TErrMessage::paintEvent(QPaintEvent* event) {
    if (!background_.isNull()) {
        QPainter(this).drawImage(0, 0, background_);
    }
    QDialog::paintEvent(event);
}
