#include "subtitles/menus/TNetMenuStyle.h"

#include "subtitles/menus/NetMenu.h"

#include <QPainter>
#include <QStyleOptionMenuItem>

TNetMenuStyle::TNetMenuStyle(bool showAccelerators, int itemIndent, int extraWidth)
    : ShowAccelerators(showAccelerators), ItemIndent(itemIndent), ExtraWidth(extraWidth) {}

NetMenuItem TNetMenuStyle::ItemOf(const QStyleOptionMenuItem& option, bool mainMenu) {
    NetMenuItem item;
    item.MainMenu = mainMenu;
    if (option.menuItemType == QStyleOptionMenuItem::Separator) {
        item.Caption = QStringLiteral("-");
        return item;
    }
    const qsizetype tab = option.text.indexOf(u'\t');
    item.Caption = tab < 0 ? option.text : option.text.left(tab);
    item.ShortCut = tab < 0 ? QString() : option.text.mid(tab + 1);
    item.Enabled = (option.state & QStyle::State_Enabled) != 0;
    item.Checked = option.checkType != QStyleOptionMenuItem::NotCheckable && option.checked;
    item.Glyph = option.icon;
    if (option.maxIconWidth > 0 && !mainMenu) {
        item.ImageListSize = QSize(netmenu::kBitmapGlyphSize, netmenu::kBitmapGlyphSize);
    }
    item.RightToLeft = option.direction == Qt::RightToLeft;
    return item;
}

void TNetMenuStyle::DrawSubMenuArrow(const QStyleOptionMenuItem& option, QPainter& painter) {
    const QRect& rect = option.rect;
    const int tip = rect.right() - netmenu::kShortCutMargin;
    const int middle = rect.top() + rect.height() / 2;
    const QPoint arrow[3] = {
        {tip - kArrowSize, middle - kArrowSize}, {tip, middle}, {tip - kArrowSize, middle + kArrowSize}};
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush((option.state & QStyle::State_Enabled) != 0 ? netmenu::kText : netmenu::kDisabledShadow);
    painter.drawPolygon(arrow, 3);
    painter.restore();
}

unsigned TNetMenuStyle::StateOf(const QStyleOptionMenuItem& option, bool mainMenu) const {
    unsigned state = ShowAccelerators ? 0 : netmenu::kNoAccelerator;
    if (option.menuItemType == QStyleOptionMenuItem::DefaultItem) {
        state |= netmenu::kDefault;
    }
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    if (!mainMenu) {
        return selected ? state | netmenu::kSelected : state;
    }
    // A menu-bar item is pushed while its menu is open, hot while the mouse is over it.
    if (selected && (option.state & QStyle::State_Sunken)) {
        return state | netmenu::kSelected;
    }
    return selected ? state | netmenu::kHot : state;
}

void TNetMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                const QWidget* widget) const {
    const auto* menuOption = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    switch (element) {
    case CE_MenuItem:
    case CE_MenuBarItem:
        if (menuOption) {
            const bool mainMenu = element == CE_MenuBarItem;
            DrawNetMenuItem(mainMenu ? 0 : ItemIndent, ItemOf(*menuOption, mainMenu), *painter, false,
                            StateOf(*menuOption, mainMenu), option->rect);
            if (!mainMenu && menuOption->menuItemType == QStyleOptionMenuItem::SubMenu) {
                DrawSubMenuArrow(*menuOption, *painter);
            }
            return;
        }
        break;
    case CE_MenuEmptyArea:
    case CE_MenuBarEmptyArea:
    case CE_MenuHMargin:
    case CE_MenuVMargin:
        painter->fillRect(option->rect, netmenu::kItemBackground);
        return;
    default:
        break;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void TNetMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                  const QWidget* widget) const {
    switch (element) {
    case PE_PanelMenu:
    case PE_PanelMenuBar:
        painter->fillRect(option->rect, netmenu::kItemBackground);
        return;
    case PE_FrameMenu:
        return;
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

QSize TNetMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                      const QWidget* widget) const {
    const auto* menuOption = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if ((type == CT_MenuItem || type == CT_MenuBarItem) && menuOption) {
        const bool mainMenu = type == CT_MenuBarItem;
        int width = 0;
        int height = 0;
        MeasureNetMenuItem(ItemOf(*menuOption, mainMenu), width, height);
        if (!mainMenu) {
            width += ExtraWidth;
        }
        // A separator measures narrower than nothing; Qt drops items of no width, so it keeps one pixel.
        return {std::max(width, 1), height};
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

int TNetMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    switch (metric) {
    case PM_MenuPanelWidth:
    case PM_MenuHMargin:
    case PM_MenuVMargin:
    case PM_MenuBarPanelWidth:
    case PM_MenuBarItemSpacing:
    case PM_MenuBarHMargin:
    case PM_MenuBarVMargin:
    case PM_MenuDesktopFrameWidth:
        return 0;
    case PM_SmallIconSize:
        return netmenu::kBitmapGlyphSize;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

int TNetMenuStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                             QStyleHintReturn* returnData) const {
    if (hint == SH_UnderlineShortcut) {
        return ShowAccelerators ? 1 : 0;
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
