// Subtitles over a playing clip, end to end through the real core: the generated clip plays into a
// video surface, a script's style and page arrive with orders 503, 502, 505 and 501, the subtitle clock
// reports known times, and the current picture (order 260) carries the subtitle's pixels inside the
// event's interval and none outside it; an on-screen message lies over the video too. The clock
// thread's own redraws reach the picture through the host thread. Seeks while paused show the frame
// and the subtitle of the new place, and the clock answers the new position at once.
#include "core/include/VokradNotifications.h"
#include "core/include/VokradOrders.h"
#include "core/src/engine/TEngineTransport.h"
#include "core/tests/engine/EnginePlayer.h"
#include "core/tests/pages/PixelCheck.h"
#include "core/tests/screen/SubtitleScene.h"
#include "platform/testing/TestFont.h"
#include "subtitles/model/FixedText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const std::u16string kRenderFile =
    u"<GRAPH version=\"1.0\"><RENDERFILE Filename=\"##TOVVAR:FileName##\"/></GRAPH>";
constexpr QRgb kMagenta = SubtitleScene::kMagenta;
constexpr QRgb kYellow = 0xFFFFFF00u;

class SubtitlesOverVideoTest : public testing::Test {
protected:
    void SetUp() override { StartPaused("quadrants.mp4", {{1, 1000, 2000, 0, u"Subtitle"}}); }

    // Plays the clip until it shows, pauses it and gives the events in a magenta style.
    void StartPaused(const std::string& clip, const std::vector<TTestEvent>& events) {
        if (!LoadTestFont()) {
            GTEST_SKIP() << "the test font " << TestFontPath() << " is missing (fonts-dejavu-core)";
        }
        player_.Player().SetScreenSize([] { return TScreenSize{1024, 768}; });
        player_.Describe(kRenderFile, EnginePlayer::Fixture(clip));
        ASSERT_EQ(player_.Send(kOrderPlay), 0) << testing::PrintToString(player_.Texts());
        ASSERT_TRUE(EnginePlayer::PumpUntil([&] { return surface_->FrameCount() >= 3; }));
        ASSERT_TRUE(player_.Player().Windowless()) << "the surface mixes the subtitle picture";
        ASSERT_EQ(player_.Send(kOrderPauseToggle), 0);
        ASSERT_TRUE(scene_.SendScript(1, events));
        // The layout the playing picture started settles.
        ASSERT_TRUE(EnginePlayer::PumpUntil([&] { return !scene_.LayoutPending(); }));
    }

    // The current picture at a clock time, as the engine's time events give it to the clock.
    QImage PictureAt(std::int32_t ms) {
        player_.Player().Clock()->Step(ms);
        return scene_.CurrentPicture();
    }
    QImage CurrentPicture() { return scene_.CurrentPicture(); }
    template <class Record> int Send(std::uint32_t order, Record record) {
        return scene_.Send(order, record);
    }

    EnginePlayer player_{EnginePlayer::Renderers::Surface};
    const std::shared_ptr<plat::video::VideoSurface>& surface_ = player_.Surface();
    SubtitleScene scene_{player_};
};

TEST_F(SubtitlesOverVideoTest, SubtitlePixelsOnlyInsideTheEventsInterval) {
    struct Row {
        std::int32_t ms;
        bool shown;
    };
    // Forward in time: the clock leaves out short jumps back.
    for (const Row& row : {Row{500, false}, Row{1000, true}, Row{1500, true}, Row{1990, true},
                           Row{2000, false}, Row{2500, false}}) {
        const QImage picture = PictureAt(row.ms);
        ASSERT_FALSE(picture.isNull());
        const QRect subtitle = BoxOf(picture, kMagenta);
        EXPECT_EQ(!subtitle.isEmpty(), row.shown) << row.ms << " ms";
        if (row.shown) {
            EXPECT_GT(subtitle.top(), picture.height() / 2) << "at the bottom";
            EXPECT_NEAR(subtitle.center().x(), picture.width() / 2, 20) << "centred";
        }
    }
}

TEST_F(SubtitlesOverVideoTest, MessagesLieOverTheVideo) {
    TOrderOsdStyle style{};
    TSubtitleStyleRecord record = TOsdQueue::DefaultStyle();
    SetFixedText(record.fontName, kStyleFontNameUnits, kTestFontFamily);
    std::memcpy(style.style, &record, sizeof(record));
    style.enabled = 1;
    ASSERT_EQ(Send(kOrderOsdStyle, style), 0);
    const std::u16string text = u"Pause";
    TOrderOsdItem item{};
    item.type = kOsdItemText;
    item.data = text.c_str();
    item.dataBytes = static_cast<std::uint32_t>((text.size() + 1) * 2);
    ASSERT_EQ(Send(kOrderOsdItem, item), 0);
    ASSERT_EQ(player_.Send(kOrderUnfreezeMessages), 0);
    const QRect message = BoxOf(CurrentPicture(), kYellow);
    ASSERT_FALSE(message.isEmpty());
    EXPECT_LT(message.top(), 40) << "at the top left";
    EXPECT_LT(message.left(), 40);
}

// Order 308 answers where the picture lies in the layout; the surface shows the video in the outer
// rectangle, letter-boxed to the same place.
TEST_F(SubtitlesOverVideoTest, VideoRectangleIsWhereThePictureIsShown) {
    TOrderVideoRectangle rectangle{};
    rectangle.head = {0, sizeof(rectangle)};
    ASSERT_EQ(player_.Send(kOrderVideoRectangle, &rectangle), 0);
    const QRect picture(QPoint(rectangle.left, rectangle.top),
                        QPoint(rectangle.right - 1, rectangle.bottom - 1));
    EXPECT_TRUE(QRect(0, 0, 320, 240).contains(picture));
    // The clip's pixels are 8:9: the picture is narrower than 4:3.
    EXPECT_NEAR(static_cast<double>(picture.width()) / picture.height(), 320.0 * 8 / 9 / 240, 0.02);
    EXPECT_EQ(surface_->PictureRect(surface_->VideoRect()), picture);
}

// The clock thread redraws on its own when the time it counts reaches the event; the picture reaches
// the surface once the host thread runs its messages.
TEST_F(SubtitlesOverVideoTest, TheClockThreadsRedrawReachesThePicture) {
    player_.Player().Clock()->Step(900);
    ASSERT_TRUE(BoxOf(CurrentPicture(), kMagenta).isEmpty());
    player_.Player().UpdatePlayState(kPlayStatePlaying, false); // the clock counts
    player_.Clocks().AdvanceAtEachRead(1);
    EXPECT_TRUE(EnginePlayer::PumpUntil([&] { return !BoxOf(CurrentPicture(), kMagenta).isEmpty(); }));
    player_.Clocks().AdvanceAtEachRead(0);
    player_.Player().UpdatePlayState(kPlayStatePaused, false);
}

// The colours clip shows red, green, blue and white for a second each, every frame a key frame. A
// short subtitle runs over its first two seconds and a long one over its last.
class PausedSeekOverVideoTest : public SubtitlesOverVideoTest {
protected:
    void SetUp() override {
        StartPaused("colours.mp4", {{1, 0, 2000, 0, u"Early"}, {2, 3000, 4000, 0, u"A much later line"}});
    }

    // Order 106 to the time code of the milliseconds (frames of 40 ms).
    int SeekTo(std::int32_t ms) {
        return Send(kOrderPlayAtTimeInTitle,
                    TOrderPlayAtTimeInTitle{{}, 0, 0, {}, TEngineTransport::PackTimeCode(ms, true)});
    }
};

using Shown = SubtitleScene::Shown;

bool NearColour(QRgb pixel, QRgb colour) {
    constexpr int kTolerance = 48; // the clip's colours after coding
    return std::abs(qRed(pixel) - qRed(colour)) <= kTolerance &&
           std::abs(qGreen(pixel) - qGreen(colour)) <= kTolerance &&
           std::abs(qBlue(pixel) - qBlue(colour)) <= kTolerance;
}

// Each seek is sent while paused: the clock answers the new position as the order returns, and the
// picture comes to show the frame and the subtitle of that place, with the old subtitle gone. Seeks go
// both ways by small steps and by jumps of 3000 ms, which a running clock reports a step late.
TEST_F(PausedSeekOverVideoTest, TheFrameTheSubtitleAndTheClockFollowTheSeek) {
    struct Row {
        std::int32_t ms;
        QRgb frame;
        Shown subtitle;
    };
    constexpr std::int32_t kFrameMs = 100; // 10 frames a second
    const Row rows[] = {
        {1480, 0xFF00FF00u, Shown::Short}, {3480, 0xFFFFFFFFu, Shown::Long},
        {480, 0xFFFF0000u, Shown::Short},  {3480, 0xFFFFFFFFu, Shown::Long},
        {2480, 0xFF0000FFu, Shown::None},  {1480, 0xFF00FF00u, Shown::Short},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.ms);
        ASSERT_EQ(SeekTo(row.ms), 0);
        EXPECT_NEAR(player_.Send(kOrderClockTime), row.ms, kFrameMs);
        QImage picture;
        const bool shown = EnginePlayer::PumpUntil([&] {
            picture = CurrentPicture();
            return !picture.isNull() && NearColour(picture.pixel(8, 8), row.frame) &&
                   SubtitleScene::SubtitleIn(picture) == row.subtitle;
        });
        EXPECT_TRUE(shown) << "frame " << std::hex << (picture.isNull() ? 0 : picture.pixel(8, 8))
                           << ", subtitle "
                           << static_cast<int>(picture.isNull() ? Shown::None
                                                                : SubtitleScene::SubtitleIn(picture));
        EXPECT_EQ(player_.PlayState(), kPlayStatePaused);
    }
}

} // namespace
