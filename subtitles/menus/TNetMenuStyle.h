#pragma once
// A style that paints and measures the items of menus and menu bars with the programs' flat menu
// look (NetMenu.h) and leaves everything else to the style it wraps. Menu panels have no frame or
// margins, so items sit exactly where they are measured.
#include <QProxyStyle>

class QStyleOptionMenuItem;
struct NetMenuItem;

class TNetMenuStyle : public QProxyStyle {
public:
    // Wraps the application's default style. With `showAccelerators` false the accelerator
    // prefixes are hidden. Popup items are drawn `itemIndent` pixels further right and measured
    // `extraWidth` pixels wider (room for a picture along the menu's left edge).
    explicit TNetMenuStyle(bool showAccelerators = true, int itemIndent = 0, int extraWidth = 0);

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;

    // The item a Qt menu option describes.
    static NetMenuItem ItemOf(const QStyleOptionMenuItem& option, bool mainMenu);

private:
    // Half the height of the arrow that marks an item opening a sub-menu.
    static constexpr int kArrowSize = 4;
    static void DrawSubMenuArrow(const QStyleOptionMenuItem& option, QPainter& painter);
    unsigned StateOf(const QStyleOptionMenuItem& option, bool mainMenu) const;

    bool ShowAccelerators;
    int ItemIndent;
    int ExtraWidth;
};
