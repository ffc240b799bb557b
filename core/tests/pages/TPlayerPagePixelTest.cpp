// Through the player's orders: styles (503), the display switched on, a page (502) and its title
// (505); the clock's reports select the slot, and the player's own page renderer draws the current
// page into a picture as the subtitle screen does, under the subtitle lock. Subtitle pixels appear
// inside the event's interval and none outside it.
#include "core/tests/pages/PagesTest.h"
#include "core/tests/pages/PixelCheck.h"
#include "platform/gdi/ImageDc.h"
#include "platform/testing/TestFont.h"
#include "subtitles/model/FixedText.h"

#include <cstring>

namespace {

class TPlayerPagePixelTest : public PagesTest {
protected:
    void SetUp() override {
        if (!LoadTestFont()) {
            GTEST_SKIP() << "the test font " << TestFontPath() << " is missing (fonts-dejavu-core)";
        }
        PagesTest::SetUp();
        TSubtitleStyleRecord style{};
        SetFixedText(style.name, kStyleNameUnits, u"Default");
        SetFixedText(style.fontName, kStyleFontNameUnits, kTestFontFamily);
        style.fontSize = 24;
        style.primaryColour = 0x00FFFF; // yellow
        style.borderStyle = 1;
        style.outline = 1;
        style.alignment = 2;
        style.marginV = 8;
        ASSERT_EQ(SendStyle(4, style), 0);
        ASSERT_EQ(SendStyle(3, {}), 0);
        // The video area the page is laid out for, as the video layout gives it.
        TSubScreenControler mapping(TScreenSize{320, 240});
        mapping.SetFrameRect(0, 0, 320, 240);
        mapping.SetAreaRect(0, 0, 320, 240);
        mapping.ComputeRects();
        const std::lock_guard lock(player_.SubtitleLock());
        player_.SubDisplay().RenderAll(&mapping, true);
    }

    int SendStyle(std::uint32_t step, const TSubtitleStyleRecord& style) {
        TOrderStyles order{{0, sizeof(order)}, step, {}};
        std::memcpy(order.style, &style, sizeof(style));
        return Send(kOrderStyles, &order);
    }

    // The subtitle picture after the clock reported `time`.
    QImage PictureAt(std::int32_t time) {
        ReportTime(time);
        QImage image(320, 240, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        const std::lock_guard lock(player_.SubtitleLock());
        plat::gdi::ImageDc dc(image);
        player_.SubDisplay().Paint(&dc, false, nullptr);
        return image;
    }
};

TEST_F(TPlayerPagePixelTest, PixelsAppearOnlyWithinTheEventsInterval) {
    ASSERT_EQ(SendPages(3, {{1, 1000, 2500, 0, u"Hello"}}), 0);
    ASSERT_EQ(SelectTitle(3), 0);
    for (const auto& [time, shown] :
         {std::pair{0, false}, std::pair{999, false}, std::pair{1000, true}, std::pair{2499, true},
          std::pair{2500, false}, std::pair{4000, false}}) {
        const QImage picture = PictureAt(time);
        EXPECT_EQ(BoxOf(picture, qRgb(255, 255, 0)).isValid(), shown) << time;
        if (!shown) {
            EXPECT_TRUE(PaintedBox(picture).isEmpty()) << time;
        }
    }
}

TEST_F(TPlayerPagePixelTest, TheOffsetShiftsWhatIsShown) {
    ASSERT_EQ(SendPages(3, {{1, 1000, 2500, 0, u"Hello"}}), 0);
    ASSERT_EQ(SelectTitle(3), 0);
    ASSERT_EQ(SendValue(kOrderSubtitleOffset, TOrderSubtitleOffset{{}, -1000}), 0);
    EXPECT_TRUE(PaintedBox(PictureAt(1500)).isEmpty());
    EXPECT_FALSE(PaintedBox(PictureAt(2000)).isEmpty());
}

} // namespace
