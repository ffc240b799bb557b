#include "player/dialogs/TCaptionlessDialog.h"

#include "player/dialogs/TCaptionDrag.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int kCaptionHeight = 18;

} // namespace

TCaptionlessDialog::TCaptionlessDialog(QWidget* owner, Qt::WindowFlags extra, const QString& caption,
                                       QSize size)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint | extra), body_(new QVBoxLayout) {
    auto* strip = new QWidget(this);
    strip->setObjectName("Pn_Caption");
    strip->setFixedHeight(kCaptionHeight);
    captionLabel_ = new QLabel(caption, strip);
    captionLabel_->setObjectName("Lb_Caption");
    QFont bold = captionLabel_->font();
    bold.setBold(true);
    captionLabel_->setFont(bold);
    auto* stripLayout = new QHBoxLayout(strip);
    stripLayout->addWidget(captionLabel_);
    stripLayout_ = stripLayout;
    SetCaptionIndent(kCaptionIndent);
    auto* drag = new TCaptionDrag(this);
    drag->Watch(strip);
    drag->Watch(captionLabel_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(strip);
    layout->addLayout(body_, 1);
    resize(size);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->geometry().center() - rect().center());
    }
}

void TCaptionlessDialog::SetCaptionIndent(int left) {
    stripLayout_->setContentsMargins(left, 0, kCaptionIndent, 0);
}
