#include "player/ui/TVideoPopupMenu.h"

#include <QLinearGradient>
#include <QPainter>
#include <QVariant>

TVideoPopupMenu::TVideoPopupMenu(QWidget* parent, int lastItemTag)
    : QMenu(parent), lastItemTag_(lastItemTag) {}

void TVideoPopupMenu::SetLogo(const QImage& logo) {
    logo_ = logo;
    update();
}

QAction* TVideoPopupMenu::LastItem() const {
    for (QAction* action : actions()) {
        if (action->data().isValid() && action->data().toInt() == lastItemTag_) {
            return action;
        }
    }
    return nullptr;
}

void TVideoPopupMenu::paintEvent(QPaintEvent* event) {
    QMenu::paintEvent(event);
    const QAction* last = LastItem();
    if (last == nullptr) {
        return;
    }
    QPainter painter(this);
    const QRect item = actionGeometry(const_cast<QAction*>(last));
    PaintSideBar(painter, item.y() + item.height());
}

void TVideoPopupMenu::PaintSideBar(QPainter& painter, int itemBottom) const {
    const int barBottom = logo_.isNull() ? itemBottom : itemBottom - (logo_.height() - kLogoOverlap);
    if (barBottom > 0) {
        QLinearGradient gradient(0, 0, 0, barBottom);
        gradient.setColorAt(0, kBarTop);
        gradient.setColorAt(1, kBarBottom);
        painter.fillRect(QRect(0, 0, kSideBarWidth, barBottom), gradient);
    }
    if (!logo_.isNull()) {
        painter.drawImage(QPoint(0, itemBottom - logo_.height() + kLogoOverlap), logo_);
    }
}
