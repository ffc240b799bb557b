// On-screen messages drawn by the queue into pictures with the test font: the yellow of the default
// style at each alignment, the video rectangle they are drawn in, \pos positions, variables, pictures,
// and nothing while disabled.
#include "core/src/osd/TOsdQueue.h"

#include "core/tests/ManualClocks.h"
#include "core/tests/pages/PixelCheck.h"
#include "platform/gdi/ImageDc.h"
#include "platform/testing/BmpTestFile.h"
#include "platform/testing/TestFont.h"
#include "subtitles/model/FixedText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

constexpr QRgb kYellow = 0xFFFFFF00u;

std::vector<std::byte> Text(std::u16string_view text) {
    std::vector<std::byte> bytes((text.size() + 1) * sizeof(char16_t));
    std::memcpy(bytes.data(), text.data(), text.size() * sizeof(char16_t));
    return bytes;
}

class TOsdDrawTest : public testing::Test {
protected:
    void SetUp() override {
        if (!LoadTestFont()) {
            GTEST_SKIP() << "the test font " << TestFontPath() << " is missing (fonts-dejavu-core)";
        }
        style_ = TOsdQueue::DefaultStyle();
        SetFixedText(style_.fontName, kStyleFontNameUnits, kTestFontFamily);
        queue_.SetStyle(style_, 0, true);
    }

    void Add(std::u16string_view text, std::int32_t layer = 1) {
        ASSERT_TRUE(queue_.AddItem(Text(text), TOsdItem::kText, 0, layer));
    }

    QImage Draw(QSize size = {320, 240}, plat::win::RECT video = {0, 0, 320, 240}) {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        plat::gdi::ImageDc dc(image);
        queue_.Draw(dc, video);
        return image;
    }

    TSubtitleStyleRecord style_{};
    TOsdQueue queue_{std::make_shared<ManualClocks>()};
};

// The default style: yellow text with a black outline and shadow, at the top left.
TEST_F(TOsdDrawTest, DefaultStyleDrawsYellowAtTheTopLeft) {
    Add(u"Play");
    const QImage image = Draw();
    const QRect yellow = BoxOf(image, kYellow);
    ASSERT_FALSE(yellow.isEmpty());
    EXPECT_LT(yellow.left(), 10);
    EXPECT_LT(yellow.top(), 10);
    EXPECT_LT(yellow.right(), 160);
    EXPECT_GT(CountOf(image, 0xFF000000u), 0) << "outline and shadow in the back colour";
    EXPECT_TRUE(PaintedBox(image).contains(yellow));
}

TEST_F(TOsdDrawTest, AlignmentsPlaceTheText) {
    struct Row {
        std::int32_t alignment;
        QRect quarter; // where the text's centre lies
    };
    for (const Row& row :
         {Row{1, QRect(0, 160, 107, 80)}, Row{2, QRect(107, 160, 107, 80)}, Row{3, QRect(214, 160, 106, 80)},
          Row{6, QRect(107, 0, 107, 80)}, Row{9, QRect(0, 80, 107, 80)}, Row{10, QRect(107, 80, 107, 80)},
          Row{11, QRect(214, 80, 106, 80)}}) {
        style_.alignment = row.alignment;
        queue_.SetStyle(style_, 0, true);
        Add(u"Volume");
        const QRect yellow = BoxOf(Draw(), kYellow);
        EXPECT_TRUE(row.quarter.contains(yellow.center())) << row.alignment;
        queue_.Clear();
    }
}

TEST_F(TOsdDrawTest, DrawsInsideTheVideoRectangle) {
    style_.alignment = 3; // bottom right
    queue_.SetStyle(style_, 0, true);
    Add(u"Stop");
    const QImage image = Draw({480, 320}, {100, 50, 420, 290});
    const QRect yellow = BoxOf(image, kYellow);
    ASSERT_FALSE(yellow.isEmpty());
    EXPECT_TRUE(QRect(260, 170, 160, 120).contains(yellow)) << "the rectangle's bottom-right part";
}

TEST_F(TOsdDrawTest, PositionTagsPlaceTheTextWhereTheySay) {
    Add(u"{\\pos(150,120)}X");
    const QRect yellow = BoxOf(Draw(), kYellow);
    ASSERT_FALSE(yellow.isEmpty());
    EXPECT_NEAR(yellow.left(), 150, 8);
    EXPECT_LT(yellow.bottom(), 160);
    EXPECT_GT(yellow.top(), 100);
}

TEST_F(TOsdDrawTest, VariablesAreDrawnWithTheirValues) {
    Add(u"$(AudioVolume)");
    EXPECT_TRUE(BoxOf(Draw(), kYellow).isEmpty()) << "an unknown variable leaves nothing";
    queue_.SetVariable(u"AudioVolume", u"80");
    EXPECT_FALSE(BoxOf(Draw(), kYellow).isEmpty());
}

TEST_F(TOsdDrawTest, PicturesAreDrawnAtTheStylesPlace) {
    style_.marginL = 20;
    style_.marginV = 30;
    queue_.SetStyle(style_, 0, true);
    const std::vector<std::byte> bmp = MakeBmp(10, 10, 24, [](std::int32_t x, std::int32_t y) {
        return y < 5 ? 0x00FF0000u : 0x000000FFu; // red on top, blue below
    });
    ASSERT_TRUE(queue_.AddItem(bmp, TOsdItem::kBitmap, 0, 1));
    const QImage image = Draw();
    EXPECT_EQ(image.pixel(22, 31), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(22, 38), 0xFF0000FFu);
    EXPECT_EQ(PaintedBox(image), QRect(20, 30, 10, 10));
}

// The picture is read when the item is added; a header that claims more than its data holds is kept
// as an item but never made into a picture, so it costs nothing on a redraw and draws nothing.
TEST_F(TOsdDrawTest, APictureIsReadWhenAddedAndAClaimBeyondItsDataDrawsNothing) {
    const std::vector<std::byte> bmp =
        MakeBmp(10, 10, 24, [](std::int32_t, std::int32_t) { return 0x00FF0000u; });
    ASSERT_TRUE(queue_.AddItem(bmp, TOsdItem::kBitmap, 0, 1));
    std::vector<std::byte> huge(bmp.begin(), bmp.begin() + 54);
    SetBmpField(huge, 18, 16384);
    SetBmpField(huge, 22, 16384);
    SetBmpField(huge, 34, 0);
    ASSERT_TRUE(queue_.AddItem(huge, TOsdItem::kBitmap, 0, 2));

    const TBitmapItem* picture = queue_.Items().Head->picture.get();
    const TBitmapItem* claim = queue_.Items().Tail->picture.get();
    ASSERT_NE(picture, nullptr);
    ASSERT_NE(claim, nullptr);
    EXPECT_TRUE(picture->HasPicture());
    EXPECT_FALSE(claim->HasPicture());
    for (int redraw = 0; redraw < 2; ++redraw) {
        EXPECT_EQ(PaintedBox(Draw()), QRect(0, 0, 10, 10)) << "redraw " << redraw;
    }
}

TEST_F(TOsdDrawTest, NothingWhileDisabledOrEmpty) {
    EXPECT_TRUE(PaintedBox(Draw()).isEmpty());
    Add(u"Play");
    queue_.SetStyle(style_, 0, false);
    Add(u"Play");
    EXPECT_TRUE(PaintedBox(Draw()).isEmpty());
}

// A face that is not installed falls back to one that is, and the text is still drawn.
TEST_F(TOsdDrawTest, AMissingFaceFallsBack) {
    SetFixedText(style_.fontName, kStyleFontNameUnits, u"No Such Face Anywhere");
    queue_.SetStyle(style_, 0, true);
    Add(u"Play");
    EXPECT_FALSE(BoxOf(Draw(), kYellow).isEmpty());
}

} // namespace
