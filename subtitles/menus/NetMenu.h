#pragma once
// The programs' flat menu look: items painted and measured by the program itself on a light grey
// background, with a darker band behind the glyphs of popup items, a blue rounded highlight for the
// selected item and fixed metrics (the look does not follow the desktop theme). TNetMenuStyle applies
// it to Qt menus and menu bars; other lists may call the drawing directly.
#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;

// One item as the drawing sees it.
struct NetMenuItem {
    QString Caption;       // "-" is a separator; '&' marks the accelerator
    QString ShortCut;      // drawn right-aligned in popup items
    bool MainMenu = false; // an item of a menu bar (else of a popup menu)
    bool Enabled = true;
    bool Checked = false;
    QIcon Glyph;         // the item's picture from its menu's image list, when it has one
    QSize ImageListSize; // the size of the menu's image list; invalid when the menu has none
    QPixmap Bitmap;      // the item's own bitmap
    Qt::Alignment Alignment = Qt::AlignLeft; // of popup items' text
    bool RightToLeft = false;
};

namespace netmenu {

// Item states.
inline constexpr unsigned kSelected = 0x1;
inline constexpr unsigned kDefault = 0x20;
inline constexpr unsigned kHot = 0x40;
inline constexpr unsigned kNoAccelerator = 0x100;

inline const QColor kItemBackground{242, 244, 241};
inline const QColor kGlyphBand{226, 228, 225};
inline const QColor kSelectedFill{170, 193, 255};
inline const QColor kSelectionOutline{0, 0, 128};
inline const QColor kFrame{162, 164, 161}; // separators, pushed menu-bar items, checked-glyph frames
inline const QColor kText{0, 0, 0};
inline const QColor kDisabledShadow{128, 128, 128};
inline const QColor kDisabledHighlight{255, 255, 255};

inline constexpr int kGlyphBandWidth = 19;
inline constexpr int kTextIndent = 21; // popup text, and separators, start this far in
inline constexpr int kMainMenuTextIndent = 5;
inline constexpr int kShortCutMargin = 10; // between a shortcut and the item's right edge
inline constexpr int kSeparatorHeight = 5;
inline constexpr int kBitmapGlyphSize = 16;

// The menu font: Verdana 8 points at 96 dots per inch where installed, else DejaVu Sans, drawn
// without smoothing as the system menus are.
QFont NetMenuFont(bool bold = false);

} // namespace netmenu

// Draws one item into `rect` (its left edge moved right by `leftOffset`); `noBand` leaves out the glyph
// band of popup items; `state` combines the netmenu state flags.
void DrawNetMenuItem(int leftOffset, const NetMenuItem& item, QPainter& canvas, bool noBand, unsigned state,
                     QRect rect);
// Draws a caption or a shortcut (Qt text flags in `format`) into `rect`, or for "-" the separator line
// 2 pixels below its top; disabled items are drawn embossed.
void DrawNetMenuItemText(const NetMenuItem& item, QPainter& canvas, const QString& text, const QRect& rect,
                         bool selected, int format);
// Measures one item: its width and height in pixels.
void MeasureNetMenuItem(const NetMenuItem& item, int& width, int& height);
// The menu-bar button size the measures start from (fixed, as the look is).
void GetMenuMetrics(int& width, int& height);
