// Pictures of a playing clip through the core's orders, played through the program's own video renderer:
// the ring of recent frames recorded when a description inserts a sample grabber (208, 400), and the
// current picture as a bitmap file image (260), both as the video surface shows them. Checked against
// the colour bars of the test pattern and against a clip whose colour changes every second.
#include "core/include/VokradNotifications.h"
#include "core/include/VokradOrders.h"
#include "core/tests/engine/EnginePlayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace {

using Rgb = std::array<int, 3>;

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr int kTolerance = 48; // the clips are compressed

// Bars of the test pattern that stay put while it plays: (x, y) and red, green, blue.
struct Bar {
    int x, y;
    Rgb rgb;
};
constexpr Bar kBars[] = {{90, 100, {255, 0, 255}},
                         {130, 100, {0, 0, 255}},
                         {170, 100, {255, 255, 0}},
                         {210, 100, {0, 255, 0}},
                         {250, 100, {255, 0, 0}}};

// The 32-bit pixel stored blue, green, red, pad at (x, row) of rows `width` pixels long.
::testing::AssertionResult PixelNear(const std::uint8_t* pixels, int width, int x, int row, const Rgb& rgb) {
    const std::uint8_t* pixel = pixels + (std::size_t(row) * width + x) * 4;
    const Rgb actual{pixel[2], pixel[1], pixel[0]};
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        if (std::abs(actual[i] - rgb[i]) > kTolerance) {
            return ::testing::AssertionFailure()
                   << "(" << actual[0] << ", " << actual[1] << ", " << actual[2] << ") is not near ("
                   << rgb[0] << ", " << rgb[1] << ", " << rgb[2] << ") at " << x << ", " << row;
        }
    }
    return ::testing::AssertionSuccess();
}

// `rowOf` maps a picture row to a stored row.
template <class RowOf> void ExpectBars(const std::uint8_t* pixels, RowOf rowOf) {
    for (const Bar& bar : kBars) {
        EXPECT_TRUE(PixelNear(pixels, kWidth, bar.x, rowOf(bar.y), bar.rgb));
    }
}

const std::u16string kRenderFile = u"<GRAPH version=\"1.0\"><RENDERFILE Filename=\"##TOVVAR:FileName##\"/>";
const std::u16string kWithGrabber = kRenderFile + u"<INSERTSAMPLEGRABBER/></GRAPH>";

int StartRing(EnginePlayer& player, std::uint32_t frames) {
    TOrderCaptureRing ring{{0, sizeof(TOrderCaptureRing)}, frames};
    return player.Send(kOrderCaptureRing, &ring);
}

std::optional<TOrderCapturedFrame> CapturedFrame(EnginePlayer& player, std::uint32_t number) {
    TOrderCapturedFrame frame{};
    frame.head = {0, sizeof(TOrderCapturedFrame)};
    frame.frameNumber = number;
    if (player.Send(kOrderCapturedFrame, &frame) != 0) {
        return std::nullopt;
    }
    return frame;
}

// Order 260's picture, freed as a client frees it.
std::vector<std::uint8_t> CurrentPicture(EnginePlayer& player) {
    void* out = nullptr;
    if (player.Send(kOrderCurrentPicture, nullptr, &out) != 0) {
        return {};
    }
    std::uint32_t fileSize = 0;
    std::memcpy(&fileSize, static_cast<const std::uint8_t*>(out) + 2, 4);
    const auto* bytes = static_cast<const std::uint8_t*>(out);
    std::vector<std::uint8_t> image(bytes, bytes + fileSize);
    std::free(out);
    return image;
}

bool HasConfiguration(const EnginePlayer& player, std::uint32_t bit) {
    const auto statuses = player.Statuses();
    return std::any_of(statuses.begin(), statuses.end(), [bit](const auto& s) {
        return s.first == kStatusConfiguration && (s.second & bit) != 0;
    });
}

TEST(TGraphEngineCaptureTest, TheRingBehindAnInsertedGrabberKeepsTheFramesShown) {
    EnginePlayer player(EnginePlayer::Renderers::Surface);
    player.Describe(kWithGrabber, EnginePlayer::Fixture("clip.mp4"));
    ASSERT_EQ(player.Send(kOrderPlay), 0) << testing::PrintToString(player.Texts());
    const std::u16string log = player.GraphLog();
    EXPECT_NE(log.find(u"<INFO Text=\"Trying to Add Sample Grabber to the Graph\">"), std::u16string::npos);
    EXPECT_EQ(log.find(u"FAILURE"), std::u16string::npos);
    EXPECT_TRUE(HasConfiguration(player, kConfigSampleGrabber));

    ASSERT_EQ(StartRing(player, 5), 0);
    std::optional<TOrderCapturedFrame> frame;
    ASSERT_TRUE(EnginePlayer::PumpUntil([&] { return CapturedFrame(player, 4).has_value(); }));
    // The ring keeps recording: the oldest is read before the newest, so a frame arriving between
    // the two reads only widens the span between them.
    const std::optional<TOrderCapturedFrame> oldest = CapturedFrame(player, 0);
    ASSERT_TRUE(oldest);
    frame = CapturedFrame(player, 4);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->width, std::uint32_t(kWidth));
    EXPECT_EQ(frame->height, std::uint32_t(kHeight));
    EXPECT_EQ(frame->bitsPerPixel, 32u);
    EXPECT_EQ(frame->byteSize, std::uint32_t(kWidth * kHeight * 4));
    EXPECT_EQ(frame->frameNumberOut, 4u);
    ExpectBars(static_cast<const std::uint8_t*>(frame->pixels), [](int y) { return kHeight - 1 - y; });
    // Each frame carries the stream time it was shown at: 25 frames a second, oldest first.
    const std::uint32_t newest = frame->timeStamp;
    EXPECT_GE(newest - oldest->timeStamp, 4u * 40u);
    EXPECT_EQ(newest % 40, 0u);
    EXPECT_FALSE(CapturedFrame(player, 5));

    // Capacity 0 stops the recording; a capacity the ring refuses fails and records nothing.
    EXPECT_EQ(StartRing(player, 0), 0);
    EXPECT_FALSE(CapturedFrame(player, 0));
    ASSERT_EQ(StartRing(player, 2), 0);
    ASSERT_TRUE(EnginePlayer::PumpUntil([&] { return CapturedFrame(player, 0).has_value(); }));
    EXPECT_EQ(StartRing(player, TFrameGrabber::kMaxCapacity + 1), -1);
    EXPECT_FALSE(CapturedFrame(player, 0));
    const std::uint64_t shown = player.Surface()->FrameCount();
    ASSERT_TRUE(EnginePlayer::PumpUntil([&] { return player.Surface()->FrameCount() >= shown + 3; }));
    EXPECT_FALSE(CapturedFrame(player, 0));
}

// The grabber's format is known once the graph is built, so the ring set up then (as a client does
// after each build) records from the first frame played.
TEST(TGraphEngineCaptureTest, TheRingSetUpRightAfterTheBuildRecordsInTheGrabbersFormat) {
    EnginePlayer player(EnginePlayer::Renderers::Surface);
    player.Describe(kWithGrabber, EnginePlayer::Fixture("clip.mp4"));
    ASSERT_TRUE(player.Player().Engine()->BuildGraph()) << testing::PrintToString(player.Texts());
    ASSERT_EQ(StartRing(player, 3), 0);
    ASSERT_EQ(player.Send(kOrderPlay), 0) << testing::PrintToString(player.Texts());
    ASSERT_TRUE(EnginePlayer::PumpUntil([&] { return CapturedFrame(player, 2).has_value(); }));
    const std::optional<TOrderCapturedFrame> frame = CapturedFrame(player, 2);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->width, std::uint32_t(kWidth));
    EXPECT_EQ(frame->height, std::uint32_t(kHeight));
    EXPECT_EQ(frame->bitsPerPixel, 32u);
    ExpectBars(static_cast<const std::uint8_t*>(frame->pixels), [](int y) { return kHeight - 1 - y; });
}

struct ColourCase {
    std::uint32_t ms;
    Rgb rgb;
};

// Paused at a time, the picture and the newest frame recorded are the ones of that time, though the
// frames of the next second are already decoded and wait in the renderer's queue.
TEST(TGraphEngineCaptureTest, PausedAtATimeThePicturesAreThoseOfThatTime) {
    EnginePlayer player(EnginePlayer::Renderers::Surface);
    player.Describe(kWithGrabber, EnginePlayer::Fixture("colours.mp4"));
    ASSERT_EQ(player.Send(kOrderPlay), 0) << testing::PrintToString(player.Texts());
    ASSERT_EQ(StartRing(player, 3), 0);
    ASSERT_EQ(player.Send(kOrderPauseToggle), 0);
    for (const ColourCase& row : {ColourCase{1800, {0, 255, 0}}, ColourCase{800, {255, 0, 0}},
                                  ColourCase{2800, {0, 0, 255}}, ColourCase{3800, {255, 255, 255}}}) {
        SCOPED_TRACE(row.ms);
        // A time code of whole seconds and 20 frames of 40 ms each: the clip's frame 0.8 s into the second.
        const std::uint32_t timeCode = (row.ms / 1000) << 16 | 20u << 24;
        TOrderPlayAtTimeInTitle at{{0, sizeof(TOrderPlayAtTimeInTitle)}, 0, 0, {}, timeCode};
        ASSERT_EQ(player.Send(kOrderPlayAtTimeInTitle, &at), 0);
        ASSERT_EQ(player.PlayState(), kPlayStatePaused);

        const std::vector<std::uint8_t> image = CurrentPicture(player);
        ASSERT_EQ(image.size(), 54u + 160u * 120u * 4u);
        EXPECT_TRUE(PixelNear(image.data() + 54, 160, 80, 60, row.rgb));

        std::optional<TOrderCapturedFrame> newest;
        for (std::uint32_t number = 0; const auto frame = CapturedFrame(player, number); ++number) {
            newest = frame;
        }
        ASSERT_TRUE(newest);
        EXPECT_EQ(newest->timeStamp, row.ms);
        EXPECT_TRUE(PixelNear(static_cast<const std::uint8_t*>(newest->pixels), 160, 80, 60, row.rgb));
    }
}

TEST(TGraphEngineCaptureTest, WithoutAGrabberOrder208RecordsNothing) {
    EnginePlayer player(EnginePlayer::Renderers::Surface);
    player.Describe(kRenderFile + u"</GRAPH>", EnginePlayer::Fixture("clip.mp4"));
    EXPECT_EQ(StartRing(player, 5), 0); // no graph yet
    ASSERT_EQ(player.Send(kOrderPlay), 0);
    ASSERT_EQ(StartRing(player, 5), 0);
    const std::uint64_t shown = player.Surface()->FrameCount();
    ASSERT_TRUE(EnginePlayer::PumpUntil([&] { return player.Surface()->FrameCount() >= shown + 5; }));
    EXPECT_FALSE(CapturedFrame(player, 0));
    EXPECT_FALSE(HasConfiguration(player, kConfigSampleGrabber));
    EXPECT_EQ(player.FilterList().find(u"Sample"), std::u16string::npos); // no grabber was spliced in
}

struct PictureCase {
    const char* clip;
    bool playing;
};

TEST(TGraphEngineCaptureTest, TheCurrentPictureIsABitmapOfThePlayingOrPausedClip) {
    for (const PictureCase& row : {PictureCase{"clip.mp4", true}, PictureCase{"clip.ogg", false},
                                   PictureCase{"clip.avi", true}, PictureCase{"clip.mpg", false}}) {
        SCOPED_TRACE(row.clip);
        EnginePlayer player(EnginePlayer::Renderers::Surface);
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

        // Once the graph is released, the last picture it showed is no current picture.
        ASSERT_EQ(player.Send(kOrderStop), 0);
        player.Player().Engine()->ReleaseGraph();
        EXPECT_EQ(player.Send(kOrderCurrentPicture, nullptr, &out), -1);
    }
}

} // namespace
