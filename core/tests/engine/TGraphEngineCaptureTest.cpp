// Pictures of a playing clip through the core's orders: the ring of recent frames behind the sample
// grabber a description inserts (208, 400), and the current picture as a bitmap file image (260),
// checked against the colour bars of the test pattern.
#include "core/include/VokradNotifications.h"
#include "core/include/VokradOrders.h"
#include "core/tests/engine/EnginePlayer.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

// Bars of the test pattern that stay put while it plays: (x, y) and red, green, blue.
struct Bar {
    int x, y;
    std::array<int, 3> rgb;
};
constexpr Bar kBars[] = {{90, 100, {255, 0, 255}},
                         {130, 100, {0, 0, 255}},
                         {170, 100, {255, 255, 0}},
                         {210, 100, {0, 255, 0}},
                         {250, 100, {255, 0, 0}}};
constexpr int kTolerance = 48; // the clips are compressed

// Checks 32-bit pixels stored blue, green, red, pad; `rowOf` maps a picture row to a stored row.
template <class RowOf> void ExpectBars(const std::uint8_t* pixels, RowOf rowOf) {
    for (const Bar& bar : kBars) {
        const std::uint8_t* pixel = pixels + (std::size_t(rowOf(bar.y)) * kWidth + bar.x) * 4;
        EXPECT_NEAR(pixel[2], bar.rgb[0], kTolerance) << bar.x;
        EXPECT_NEAR(pixel[1], bar.rgb[1], kTolerance) << bar.x;
        EXPECT_NEAR(pixel[0], bar.rgb[2], kTolerance) << bar.x;
    }
}

const std::u16string kRenderFile = u"<GRAPH version=\"1.0\"><RENDERFILE Filename=\"##TOVVAR:FileName##\"/>";

TEST(TGraphEngineCaptureTest, TheRingBehindAnInsertedGrabberKeepsTheRecentFrames) {
    EnginePlayer player;
    player.Describe(kRenderFile + u"<INSERTSAMPLEGRABBER/></GRAPH>", EnginePlayer::Fixture("clip.mp4"));
    ASSERT_EQ(player.Send(kOrderPlay), 0) << testing::PrintToString(player.Texts());
    const std::u16string log = player.GraphLog();
    EXPECT_NE(log.find(u"<INFO Text=\"Trying to Add Sample Grabber to the Graph\">"), std::u16string::npos);
    EXPECT_EQ(log.find(u"FAILURE"), std::u16string::npos);
    const auto statuses = player.Statuses();
    const auto configuration = std::find_if(statuses.begin(), statuses.end(),
                                            [](const auto& s) { return s.first == kStatusConfiguration; });
    ASSERT_NE(configuration, statuses.end());
    EXPECT_EQ(configuration->second & kConfigSampleGrabber, kConfigSampleGrabber);

    TOrderCaptureRing ring{{0, sizeof(TOrderCaptureRing)}, 5};
    ASSERT_EQ(player.Send(kOrderCaptureRing, &ring), 0);
    TOrderCapturedFrame frame{};
    frame.head = {0, sizeof(TOrderCapturedFrame)};
    frame.frameNumber = 4;
    ASSERT_TRUE(EnginePlayer::PumpUntil([&] { return player.Send(kOrderCapturedFrame, &frame) == 0; }));
    EXPECT_EQ(frame.width, std::uint32_t(kWidth));
    EXPECT_EQ(frame.height, std::uint32_t(kHeight));
    EXPECT_EQ(frame.bitsPerPixel, 32u);
    EXPECT_EQ(frame.byteSize, std::uint32_t(kWidth * kHeight * 4));
    EXPECT_EQ(frame.frameNumberOut, 4u);
    ExpectBars(static_cast<const std::uint8_t*>(frame.pixels), [](int y) { return y; });
    frame.frameNumber = 5;
    EXPECT_EQ(player.Send(kOrderCapturedFrame, &frame), -1);
    ring.frames = 0;
    EXPECT_EQ(player.Send(kOrderCaptureRing, &ring), -1);
}

struct PictureCase {
    const char* clip;
    bool playing;
};

TEST(TGraphEngineCaptureTest, TheCurrentPictureIsABitmapOfThePlayingOrPausedClip) {
    for (const PictureCase& row : {PictureCase{"clip.mp4", true}, PictureCase{"clip.ogg", false},
                                   PictureCase{"clip.avi", true}, PictureCase{"clip.mpg", false}}) {
        SCOPED_TRACE(row.clip);
        EnginePlayer player;
        player.Describe(kRenderFile + u"</GRAPH>", EnginePlayer::Fixture(row.clip));
        void* out = &player;
        EXPECT_EQ(player.Send(kOrderCurrentPicture, nullptr, &out), -1); // no graph yet
        EXPECT_EQ(out, nullptr);
        ASSERT_EQ(player.Send(kOrderPlay), 0);
        if (!row.playing) {
            ASSERT_EQ(player.Send(kOrderPauseToggle), 0);
        }
        ASSERT_EQ(player.Send(kOrderCurrentPicture, nullptr, &out), 0);
        const auto* image = static_cast<const std::uint8_t*>(out);
        std::uint32_t fileSize = 0;
        std::uint32_t offset = 0;
        std::memcpy(&fileSize, image + 2, 4);
        std::memcpy(&offset, image + 10, 4);
        EXPECT_EQ(image[0], 'B');
        EXPECT_EQ(image[1], 'M');
        EXPECT_EQ(fileSize, 54u + kWidth * kHeight * 4);
        EXPECT_EQ(offset, 54u);
        ExpectBars(image + 54, [](int y) { return kHeight - 1 - y; }); // rows bottom-up
        std::free(out);
        EXPECT_EQ(player.PlayState(), row.playing ? kPlayStatePlaying : kPlayStatePaused);
    }
}

} // namespace
