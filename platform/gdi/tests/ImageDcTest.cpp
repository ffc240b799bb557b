#include "platform/gdi/ImageDc.h"
#include "platform/gdi/MemoryDc.h"
#include "platform/gdi/ShapedTextCache.h"
#include "platform/testing/TestFont.h"

#include <gtest/gtest.h>

using namespace plat::gdi;

namespace {

LogFont TestFont(std::int32_t pixels) {
    LogFont font;
    font.height = -pixels;
    font.faceName = kTestFontFamily;
    return font;
}

QImage Transparent(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A font of the test family at that pixel height, selected into the context while it lives.
class SelectedTestFont {
public:
    SelectedTestFont(ImageDc& dc, std::int32_t pixels) : dc_(dc), font_(dc.CreateFont(TestFont(pixels))) {
        dc_.SelectFont(font_.get());
    }
    ~SelectedTestFont() { dc_.SelectFont(nullptr); }
    SelectedTestFont(const SelectedTestFont&) = delete;
    SelectedTestFont& operator=(const SelectedTestFont&) = delete;

private:
    ImageDc& dc_;
    std::unique_ptr<Font> font_;
};

// The bounding box of pixels of exactly that colour (opaque).
QRect BoxOf(const QImage& image, QRgb colour) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == colour) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

} // namespace

TEST(ImageDcTest, MeasuresTextInTheSelectedFontWithExtraSpacing) {
    MemoryDc dc;
    EXPECT_EQ(dc.GetTextExtent(u"Hello"), (Size{0, 0})) << "no font selected";
    const std::unique_ptr<Font> font = dc.CreateFont(TestFont(20));
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(dc.SelectFont(font.get()), nullptr);
    const Size plain = dc.GetTextExtent(u"Hello");
    EXPECT_GT(plain.width, 20);
    EXPECT_GE(plain.height, 20);
    dc.SetTextCharacterExtra(3);
    EXPECT_EQ(dc.GetTextExtent(u"Hello").width, plain.width + 5 * 3);
    EXPECT_EQ(dc.SelectFont(nullptr), font.get());
    EXPECT_EQ(dc.SelectFont(nullptr), nullptr) << "selecting none leaves no font selected";
    EXPECT_EQ(dc.GetTextExtent(u"Hello"), (Size{0, 0}));
}

TEST(ImageDcTest, FacesThatDoNotExistFallBackToAnInstalledFont) {
    MemoryDc dc;
    LogFont missing = TestFont(20);
    missing.faceName = u"No Such Face Anywhere 12345";
    const std::unique_ptr<Font> font = dc.CreateFont(missing);
    ASSERT_NE(font, nullptr);
    dc.SelectFont(font.get());
    EXPECT_GT(dc.GetTextExtent(u"Hello").width, 0);
}

TEST(ImageDcTest, AbsurdSizesAreHeldToTheLimit) {
    MemoryDc dc;
    for (const std::int32_t height : {INT32_MIN + 1, -1000000, 1000000, INT32_MAX}) {
        LogFont font = TestFont(1);
        font.height = height;
        const std::unique_ptr<Font> made = dc.CreateFont(font);
        ASSERT_NE(made, nullptr);
        dc.SelectFont(made.get());
        EXPECT_LE(dc.GetTextExtent(u"x").height, 2 * ImageDc::kMaxFontPixels) << height;
        dc.SelectFont(nullptr);
    }
}

TEST(ImageDcTest, BottomAlignedTextEndsAtItsY) {
    QImage image = Transparent(200, 100);
    {
        ImageDc dc(image);
        const SelectedTestFont font(dc, 30);
        dc.SetBkMode(BkMode::Transparent);
        dc.SetTextAlign(TextAlign::Bottom);
        dc.SetTextColor(Rgb(255, 0, 0));
        dc.TextOut(10, 60, u"Hg");
    }
    const QRect box = BoxOf(image, qRgb(255, 0, 0));
    ASSERT_TRUE(box.isValid());
    EXPECT_LE(box.bottom(), 59);
    EXPECT_GE(box.bottom(), 50) << "the descender of g reaches near the cell bottom";
    EXPECT_GE(box.left(), 10);
}

TEST(ImageDcTest, OpaqueModeFillsTheTextCell) {
    QImage image = Transparent(200, 100);
    Size extent;
    {
        ImageDc dc(image);
        const SelectedTestFont font(dc, 30);
        extent = dc.GetTextExtent(u"Hi");
        dc.SetBkMode(BkMode::Opaque);
        dc.SetBkColor(Rgb(0, 0, 255));
        dc.SetTextColor(Rgb(255, 255, 255));
        dc.SetTextAlign(TextAlign::Top);
        dc.TextOut(20, 10, u"Hi");
    }
    const QRect blue = BoxOf(image, qRgb(0, 0, 255));
    EXPECT_EQ(blue, QRect(20, 10, extent.width, extent.height));
    EXPECT_TRUE(BoxOf(image, qRgb(255, 255, 255)).isValid());
}

TEST(ImageDcTest, StrokedPathRingIsAboutHalfThePenWide) {
    QImage image = Transparent(200, 120);
    {
        ImageDc dc(image);
        const SelectedTestFont font(dc, 60);
        dc.SetTextAlign(TextAlign::Top);
        dc.StrokeTextPath(40, 20, u"I", 13, Rgb(0, 0, 255), Rgb(255, 255, 255));
        dc.SetBkMode(BkMode::Transparent);
        dc.SetTextColor(Rgb(255, 255, 255));
        dc.TextOut(40, 20, u"I"); // the glyph again over the inner half of the pen
    }
    const QRect fill = BoxOf(image, qRgb(255, 255, 255));
    const QRect ring = BoxOf(image, qRgb(0, 0, 255));
    ASSERT_TRUE(fill.isValid() && ring.isValid());
    // A 13-pixel pen reaches 6 or 7 pixels outside the glyph on every side.
    EXPECT_NEAR(fill.left() - ring.left(), 6.5, 1.0);
    EXPECT_NEAR(ring.right() - fill.right(), 6.5, 1.0);
    EXPECT_NEAR(fill.top() - ring.top(), 6.5, 1.0);
}

TEST(ImageDcTest, RectanglesAndStretchedBitmapsLandOnTheirPixels) {
    QImage image = Transparent(40, 40);
    Bitmap bitmap{2, 2, {0xFFFF0000u, 0xFFFF0000u, 0xFF0000FFu, 0xFF0000FFu}};
    {
        ImageDc dc(image);
        dc.FillRect({0, 0, 5, 5}, Rgb(0, 255, 0));
        dc.FillRect({7, 7, 7, 7}, Rgb(0, 255, 0)); // empty: nothing
        dc.StretchBitmap({10, 10, 30, 30}, bitmap);
        dc.StretchBitmap({0, 0, 10, 10}, Bitmap{3, 3, {}}); // pixels missing: nothing
    }
    EXPECT_EQ(BoxOf(image, qRgb(0, 255, 0)), QRect(0, 0, 5, 5));
    EXPECT_EQ(image.pixel(15, 11), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(15, 28), qRgb(0, 0, 255));
    EXPECT_EQ(qAlpha(image.pixel(9, 9)), 0);
    EXPECT_EQ(qAlpha(image.pixel(30, 30)), 0);
}

TEST(ImageDcTest, MergedCopiesPaintWhatCopyByCopyOutputPaints) {
    const std::vector<Point> offsets = {{-2, 0}, {2, 0}, {0, -2}, {0, 2}, {1, 1}, {3, 2}, {-1, -1}};
    const auto draw = [&](bool merged, TextAlign align) {
        QImage image = Transparent(160, 80);
        ImageDc dc(image);
        const SelectedTestFont font(dc, 30);
        dc.SetBkMode(BkMode::Transparent);
        dc.SetTextAlign(align);
        dc.SetTextColor(Rgb(0, 0, 255));
        if (merged) {
            dc.PolyTextOut(20, 60, u"Wgj", offsets);
            dc.PolyTextOut(20, 60, u"Wgj", offsets); // the kept coverage again
        } else {
            for (const Point& offset : offsets) {
                dc.TextOut(20 + offset.x, 60 + offset.y, u"Wgj");
            }
        }
        return image;
    };
    for (const TextAlign align : {TextAlign::Bottom, TextAlign::Top}) {
        const QImage one = draw(true, align);
        EXPECT_EQ(one, draw(false, align));
        EXPECT_TRUE(BoxOf(one, qRgb(0, 0, 255)).isValid());
    }
}

TEST(ImageDcTest, CopiesOffThePictureAreClipped) {
    QImage image = Transparent(20, 20);
    ImageDc dc(image);
    const SelectedTestFont font(dc, 30);
    dc.SetBkMode(BkMode::Transparent);
    const Point offsets[] = {{-1, 0}, {1, 0}};
    for (const Point at : {Point{-200, -200}, Point{5, 5}, Point{15, -10}, Point{100000, 100000}}) {
        dc.PolyTextOut(at.x, at.y, u"Clip", offsets);
    }
    const Rect painted = dc.PaintedBounds();
    EXPECT_GE(painted.left, 0);
    EXPECT_LE(painted.right, 20);
}

TEST(ImageDcTest, ShapedWordsAreKeptUpToTheCacheCapacity) {
    MemoryDc dc;
    const SelectedTestFont font(dc, 12);
    const Point offsets[] = {{1, 1}};
    for (std::size_t i = 0; i < ShapedTextCache::kCapacity + 10; ++i) {
        const std::u16string word =
            u"w" + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)) + std::u16string(i / 26 + 1, u'x');
        dc.PolyTextOut(0, 0, word, offsets);
    }
    EXPECT_EQ(ShapedTextCache::ForThisThread().Size(), ShapedTextCache::kCapacity);
}

TEST(ImageDcTest, RegionsFillEveryRectangle) {
    QImage image = Transparent(30, 20);
    {
        ImageDc dc(image);
        Region border(Rect{0, 0, 30, 20});
        border.Subtract(Rect{5, 4, 25, 16});
        dc.FillRegion(border, Rgb(0, 0, 0));
    }
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(29, 19), qRgb(0, 0, 0));
    EXPECT_EQ(qAlpha(image.pixel(5, 4)), 0);
    EXPECT_EQ(qAlpha(image.pixel(24, 15)), 0);
}

TEST(ImageDcTest, KeptCoverageStaysWithinTheCacheBudget) {
    MemoryDc dc;
    const SelectedTestFont font(dc, 300);
    dc.SetBkMode(BkMode::Transparent);
    const Point offsets[] = {{1, 1}, {-1, -1}};
    for (int i = 0; i < 110; ++i) { // about 0.7 MB each
        dc.PolyTextOut(0, 0,
                       u"Word" + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) +
                           std::u16string(static_cast<std::size_t>(i / 26 + 1), u'm'),
                       offsets);
    }
    EXPECT_LE(ShapedTextCache::ForThisThread().Bytes(), ShapedTextCache::kByteBudget);
    EXPECT_GT(ShapedTextCache::ForThisThread().Bytes(), ShapedTextCache::kByteBudget / 2);
}
