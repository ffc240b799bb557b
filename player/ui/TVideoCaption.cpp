#include "player/ui/TVideoCaption.h"

#include "player/dialogs/TCaptionDrag.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

TVideoCaption::TVideoCaption(QWidget* window) : QWidget(window), label_(new QLabel("Video", this)) {
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
    auto* drag = new TCaptionDrag(window);
    drag->Watch(this);
    drag->Watch(label_);
}

// A double click on the label reaches the bar too: the label does not take it.
void TVideoCaption::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && onDoubleClick_) {
        onDoubleClick_();
    }
}
