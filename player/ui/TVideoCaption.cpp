#include "player/ui/TVideoCaption.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

TVideoCaption::TVideoCaption(QWidget* window)
    : QWidget(window), window_(window), label_(new QLabel("Video", this)) {
    setObjectName("Pn_Caption");
    label_->setObjectName("Lb_Caption");
    setFixedHeight(kHeight);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0xE2, 0xE4, 0xE1));
    setPalette(palette);
    QFont font("Verdana");
    font.setBold(true);
    label_->setFont(font);
    QPalette labelPalette = label_->palette();
    labelPalette.setColor(QPalette::WindowText, QColor(0xA2, 0xA3, 0xA1));
    label_->setPalette(labelPalette);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->addWidget(label_);
    installEventFilter(this);
    label_->installEventFilter(this);
}

bool TVideoCaption::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* press = static_cast<QMouseEvent*>(event);
        dragging_ = press->button() == Qt::LeftButton;
        grabOffset_ = press->globalPosition().toPoint() - window_->frameGeometry().topLeft();
        return dragging_;
    }
    case QEvent::MouseMove:
        if (dragging_) {
            window_->move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - grabOffset_);
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        dragging_ = false;
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
