#include "subtitles/menus/NetMenu.h"
#include "subtitles/menus/TNetMenuStyle.h"

#include <QAction>
#include <QFontMetrics>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <gtest/gtest.h>

#include <optional>

namespace {

using namespace netmenu;

const QColor kUntouched{255, 0, 255};
constexpr int kWidth = 200;
constexpr int kHeight = 19;

QImage Draw(const NetMenuItem& item, unsigned state, bool noBand = false, int leftOffset = 0) {
    QImage image(kWidth, kHeight + 4, QImage::Format_RGB32);
    image.fill(kUntouched);
    QPainter canvas(&image);
    DrawNetMenuItem(leftOffset, item, canvas, noBand, state, QRect(0, 0, kWidth, kHeight));
    return image;
}

NetMenuItem Item(const QString& caption, bool mainMenu = false) {
    NetMenuItem item;
    item.Caption = caption;
    item.MainMenu = mainMenu;
    return item;
}

// The smallest rectangle holding every pixel of the colour, if any.
std::optional<QRect> Bounds(const QImage& image, const QColor& colour) {
    std::optional<QRect> bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == colour) {
                bounds = bounds ? bounds->united(QRect(x, y, 1, 1)) : QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

struct Probe {
    const char* what;
    NetMenuItem item;
    unsigned state;
    bool noBand;
    QPoint at;
    QColor expected;
};

TEST(NetMenuDrawing, ColoursBandHighlightAndSeparatorSitAtTheirPixels) {
    NetMenuItem disabled = Item("Gone");
    disabled.Enabled = false;
    const Probe probes[] = {
        {"band of a popup item", Item("Open"), 0, false, {5, 10}, kGlyphBand},
        {"band ends at 19 pixels", Item("Open"), 0, false, {19, 10}, kItemBackground},
        {"background up to the right edge", Item("Open"), 0, false, {kWidth - 1, 10}, kItemBackground},
        {"item drawn 2 pixels taller", Item("Open"), 0, false, {150, kHeight + 1}, kItemBackground},
        {"nothing below that", Item("Open"), 0, false, {150, kHeight + 2}, kUntouched},
        {"no band when asked", Item("Open"), 0, true, {5, 10}, kItemBackground},
        {"menu-bar item one pixel less tall", Item("File", true), 0, false, {1, kHeight}, kItemBackground},
        {"menu-bar item bottom row", Item("File", true), 0, false, {1, kHeight + 1}, kUntouched},
        {"menu-bar item without band", Item("File", true), 0, false, {5, 10}, kItemBackground},
        {"selected fill", Item("Open"), kSelected, false, {kWidth - 5, 10}, kSelectedFill},
        {"selected outline top", Item("Open"), kSelected, false, {100, 0}, kSelectionOutline},
        {"selected outline bottom", Item("Open"), kSelected, false, {100, kHeight + 1}, kSelectionOutline},
        {"selected outline left", Item("Open"), kSelected, false, {0, 10}, kSelectionOutline},
        {"rounded corner left open", Item("Open"), kSelected, false, {0, 0}, kUntouched},
        {"selected disabled item not highlighted", disabled, kSelected, false, {kWidth - 5, 10}, kUntouched},
        {"pushed menu-bar item", Item("File", true), kSelected, false, {3, 10}, kFrame},
        {"pushed menu-bar outline", Item("File", true), kSelected, false, {100, 0}, kFrame},
        {"hot menu-bar item", Item("File", true), kHot, false, {3, 10}, kSelectedFill},
        {"hot menu-bar outline", Item("File", true), kHot, false, {100, 0}, kSelectionOutline},
        {"separator line", Item("-"), 0, false, {30, 2}, kFrame},
        {"separator line starts at 21", Item("-"), 0, false, {21, 2}, kFrame},
        {"before the separator line", Item("-"), 0, false, {20, 2}, kItemBackground},
        {"band under the separator", Item("-"), 0, false, {10, 2}, kGlyphBand},
        {"separator line is one pixel", Item("-"), 0, false, {30, 3}, kItemBackground},
        {"separator line to the right edge", Item("-"), 0, false, {kWidth - 1, 2}, kFrame},
    };
    for (const Probe& probe : probes) {
        const QImage image = Draw(probe.item, probe.state, probe.noBand);
        EXPECT_EQ(image.pixelColor(probe.at), probe.expected)
            << probe.what << " at " << probe.at.x() << "," << probe.at.y();
    }
}

TEST(NetMenuDrawing, TextStartsAfterTheBandAndShortcutsEndTenPixelsIn) {
    NetMenuItem item = Item("Open");
    item.ShortCut = "Ctrl+O";
    const QImage image = Draw(item, 0);
    const auto text = Bounds(image, kText);
    ASSERT_TRUE(text);
    EXPECT_GE(text->left(), kTextIndent);
    EXPECT_LE(text->left(), kTextIndent + 2);
    EXPECT_LE(text->right(), kWidth - kShortCutMargin - 1);
    EXPECT_GE(text->right(), kWidth - kShortCutMargin - 3);
    // Vertically centred in the item as drawn (2 pixels taller).
    EXPECT_NEAR((text->top() + text->bottom()) / 2.0, (kHeight + 1) / 2.0, 2.5);

    const auto bar = Bounds(Draw(Item("File", true), 0), kText);
    ASSERT_TRUE(bar);
    EXPECT_NEAR((bar->left() + bar->right()) / 2.0, (kMainMenuTextIndent + kWidth) / 2.0, 2.5);
}

TEST(NetMenuDrawing, DisabledTextIsDrawnTwiceOnePixelApart) {
    NetMenuItem item = Item("Disabled");
    item.Enabled = false;
    const QImage image = Draw(item, 0);
    const auto shadow = Bounds(image, kDisabledShadow);
    const auto highlight = Bounds(image, kDisabledHighlight);
    ASSERT_TRUE(shadow && highlight);
    EXPECT_EQ(highlight->right(), shadow->right() + 1);
    EXPECT_EQ(highlight->bottom(), shadow->bottom() + 1);
    EXPECT_FALSE(Bounds(image, kText));

    const QImage selected = Draw(item, kSelected);
    EXPECT_TRUE(Bounds(selected, kDisabledShadow));
    EXPECT_FALSE(Bounds(selected, kDisabledHighlight));
}

TEST(NetMenuDrawing, GlyphsSitOnePixelInsideTheLeftEdge) {
    NetMenuItem checked = Item("Loop");
    checked.Checked = true;
    const auto mark = Bounds(Draw(checked, 0), kText);
    ASSERT_TRUE(mark);
    EXPECT_GE(mark->left(), 1);
    EXPECT_LT(mark->left(), 1 + kBitmapGlyphSize); // the check mark is in the glyph box

    QPixmap red(16, 16);
    red.fill(Qt::red);
    NetMenuItem glyph = Item("Play");
    glyph.Glyph = QIcon(red);
    glyph.ImageListSize = QSize(16, 16);
    const auto box = Bounds(Draw(glyph, 0), QColor(Qt::red));
    ASSERT_TRUE(box);
    EXPECT_EQ(*box, QRect(1, (kHeight + 2 - 16) / 2, 16, 16));

    // The editor's list: 32 pixels in, without the band.
    const QImage shifted = Draw(glyph, 0, true, 32);
    EXPECT_EQ(Bounds(shifted, QColor(Qt::red))->left(), 33);
    EXPECT_EQ(shifted.pixelColor(5, 10), kUntouched);
    EXPECT_EQ(shifted.pixelColor(40, 0), kItemBackground);

    NetMenuItem checkedBitmap = Item("Pinned");
    QPixmap blue(8, 8);
    blue.fill(Qt::blue);
    checkedBitmap.Bitmap = blue;
    checkedBitmap.Checked = true;
    const QImage framed = Draw(checkedBitmap, kSelected);
    EXPECT_EQ(framed.pixelColor(0, 10), kFrame); // the box one pixel larger, in the frame colour
    const auto small = Bounds(framed, QColor(Qt::blue));
    ASSERT_TRUE(small);
    EXPECT_EQ(small->size(), QSize(8, 8)); // a smaller bitmap is centred, not stretched
}

int TextWidth(const QString& text) {
    const QFontMetrics metrics(NetMenuFont());
    return metrics
        .boundingRect(QRect(), Qt::TextSingleLine | Qt::TextExpandTabs | Qt::TextShowMnemonic, text,
                      8 * metrics.averageCharWidth())
        .width();
}

TEST(NetMenuMeasuring, ItemSizesFollowTheFixedMetrics) {
    QPixmap bitmap(16, 16);
    bitmap.fill(Qt::green);
    NetMenuItem images = Item("Open");
    images.ImageListSize = QSize(16, 16);
    NetMenuItem barImages = Item("File", true);
    barImages.ImageListSize = QSize(16, 16);
    NetMenuItem withBitmap = Item("Open");
    withBitmap.Bitmap = bitmap;
    NetMenuItem withShortCut = Item("Open");
    withShortCut.ShortCut = "Ctrl+O";
    struct Row {
        const char* what;
        NetMenuItem item;
        int width;
        int height;
    };
    const Row rows[] = {
        {"separator", Item("-"), -2, kSeparatorHeight},
        {"popup item without glyph", Item("Open"), TextWidth("Open") - 7 + 22 + 12, 19},
        {"popup item of a menu with images", images, TextWidth("Open") + 16 + 15 + 22 + 12, 16},
        {"popup item with a bitmap", withBitmap, TextWidth("Open") + 16 + 15 + 22 + 12, 19},
        {"menu-bar item", Item("File", true), TextWidth("File") - 7 + 22, 19},
        {"menu-bar item with images", barImages, TextWidth("File") + 16 + 22, 19},
        {"shortcut measured after a tab", withShortCut, TextWidth("Open\tCtrl+O") - 7 + 22 + 12, 19},
    };
    for (const Row& row : rows) {
        int width = 0;
        int height = 0;
        MeasureNetMenuItem(row.item, width, height);
        EXPECT_EQ(width, row.width) << row.what;
        EXPECT_EQ(height, row.height) << row.what;
    }
    EXPECT_GT(TextWidth("Open\tCtrl+O"), TextWidth("Open") + TextWidth("Ctrl+O"));
    int width = 0;
    int height = 0;
    GetMenuMetrics(width, height);
    EXPECT_EQ(QSize(width, height), QSize(19, 19));
}

TEST(NetMenuStyle, AQtMenuIsPaintedAndMeasuredThroughTheStyle) {
    TNetMenuStyle style;
    QMenu menu;
    menu.setStyle(&style);
    QPixmap red(16, 16);
    red.fill(Qt::red);
    QAction* open = menu.addAction(QIcon(red), "&Open");
    open->setShortcut(QKeySequence("Ctrl+O"));
    QAction* separator = menu.addSeparator();
    QAction* gone = menu.addAction("Gone");
    gone->setEnabled(false);
    menu.adjustSize();
    menu.setActiveAction(open);

    const QRect openRect = menu.actionGeometry(open);
    const QRect separatorRect = menu.actionGeometry(separator);
    const QRect goneRect = menu.actionGeometry(gone);
    EXPECT_EQ(openRect.height(), 16); // the menu has images
    EXPECT_EQ(separatorRect.height(), kSeparatorHeight);
    EXPECT_EQ(openRect.topLeft(), QPoint(0, 0));

    QImage image(menu.size(), QImage::Format_RGB32);
    image.fill(kUntouched);
    menu.render(&image);
    EXPECT_EQ(image.pixelColor(openRect.right() - 3, openRect.center().y()), kSelectedFill);
    EXPECT_EQ(image.pixelColor(openRect.center().x(), openRect.top()), kSelectionOutline);
    EXPECT_EQ(image.pixelColor(separatorRect.left() + 30, separatorRect.top() + 2), kFrame);
    EXPECT_EQ(image.pixelColor(separatorRect.left() + 5, separatorRect.top() + 2), kGlyphBand);
    EXPECT_EQ(image.pixelColor(goneRect.left() + 5, goneRect.center().y()), kGlyphBand);
    EXPECT_EQ(image.pixelColor(goneRect.right() - 1, goneRect.center().y()), kItemBackground);
    const QImage goneRow = image.copy(goneRect);
    EXPECT_TRUE(Bounds(goneRow, kDisabledShadow));
    EXPECT_TRUE(Bounds(goneRow, kDisabledHighlight));
    EXPECT_EQ(Bounds(image, QColor(Qt::red))->left(), 1);
}

TEST(NetMenuStyle, MenuBarItemsAreMeasuredAsMainMenuItems) {
    TNetMenuStyle style(false);
    QMenuBar bar;
    bar.setStyle(&style);
    QMenu* file = bar.addMenu("&File");
    bar.adjustSize();
    const QRect item = bar.actionGeometry(file->menuAction());
    EXPECT_EQ(item.height(), 19);
    EXPECT_EQ(item.width(), TextWidth("&File") + 15);
    EXPECT_EQ(style.styleHint(QStyle::SH_UnderlineShortcut), 0);

    QImage image(bar.size(), QImage::Format_RGB32);
    image.fill(kUntouched);
    bar.render(&image);
    EXPECT_EQ(image.pixelColor(item.left() + 1, item.center().y()), kItemBackground);
    EXPECT_TRUE(Bounds(image.copy(item), kText));
}

} // namespace
