#include "editor/ui/TErrMessage.h"

#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

TErrMessage::TErrMessage(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("ErrMessage");
    setWindowTitle("Message");
    auto* layout = new QVBoxLayout(this);
    auto* caption = new QWidget(this);
    caption->setObjectName("Pn_Caption");
    auto* captionLayout = new QVBoxLayout(caption);
    auto* captionLabel = new QLabel("Message", caption);
    captionLabel->setObjectName("Lb_Caption");
    captionLayout->addWidget(captionLabel);
    layout->addWidget(caption);
    message_ = new QTextEdit(this);
    message_->setObjectName("Me_Msg");
    message_->setReadOnly(true);
    message_->setFocusPolicy(Qt::NoFocus);
    message_->setAlignment(Qt::AlignCenter);
    layout->addWidget(message_);
    auto* close = new QPushButton("Close", this);
    close->setObjectName("Bt_Close");
    close->setDefault(true);
    layout->addWidget(close);
    connect(close, &QPushButton::clicked, this, [this] { done(1); });
    resize(360, 180);
}

void TErrMessage::ShowText(int kind, std::u16string_view text) {
    if (kind != 0 && kind != 1) {
        return;
    }
    message_->clear();
    message_->setTextColor(QColor(255, 0, 0));
    message_->append(QString());
    message_->append(QString::fromStdU16String(std::u16string(text)));
    show();
    raise();
}

QString TErrMessage::Text() const {
    return message_->toPlainText().trimmed();
}
