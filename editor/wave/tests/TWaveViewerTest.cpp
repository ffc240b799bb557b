#include "editor/wave/TWaveViewer.h"
#include "editor/wave/tests/WaveTestFiles.h"
#include "platform/audio/tests/WaveBytes.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>
#include <vector>

namespace {

namespace audio = plat::audio;

// The largest distance from silence (level 32,767) of a channel between two times.
int32_t PeakBetween(const TWaveViewer& viewer, int32_t channel, int32_t fromMs, int32_t toMs) {
    int32_t peak = 0;
    for (int32_t point = viewer.MsToPoint(fromMs); point < viewer.MsToPoint(toMs); ++point) {
        peak = std::max(peak, std::abs(viewer.PointLevel(static_cast<uint32_t>(point), channel) - 32767));
    }
    return peak;
}

TEST(TWaveViewerTest, TheEnvelopeHasItsTonesAndSilencesAtTheirTimes) {
    TWaveViewer viewer;
    ASSERT_EQ(viewer.Open(FixtureWave("tones.wav").c_str(), 0, 0), 1);
    const TPeakHeader& header = viewer.Header();
    EXPECT_EQ(std::string(header.Tag, 4), "PEAK");
    EXPECT_EQ(header.Channels, 2);
    EXPECT_EQ(header.SamplesPerSec, 44100u);
    EXPECT_EQ(header.DurationMs, 6000u);
    EXPECT_EQ(header.PointCount, 6u * 44100);
    EXPECT_EQ(header.SamplesPerPoint, 1u);
    EXPECT_EQ(header.SourceBytes, 6u * 44100 * 4);
    // Left: a half-scale tone at 1-2 s and 3-4.5 s. Right: a quarter-scale tone at 1-2 s.
    struct Window {
        int32_t fromMs, toMs, leftPeak, rightPeak;
    };
    const Window windows[] = {{50, 950, 0, 0},
                              {1050, 1950, 16384, 8192},
                              {2050, 2950, 0, 0},
                              {3050, 4450, 16384, 0},
                              {4550, 5950, 0, 0}};
    for (const Window& w : windows) {
        SCOPED_TRACE(::testing::Message() << w.fromMs << "-" << w.toMs << " ms");
        EXPECT_NEAR(PeakBetween(viewer, 1, w.fromMs, w.toMs), w.leftPeak, 3);
        EXPECT_NEAR(PeakBetween(viewer, 2, w.fromMs, w.toMs), w.rightPeak, 3);
    }
}

TEST(TWaveViewerTest, AnEightBitMonoFileHasTheSameTonesInOneChannel) {
    TWaveViewer viewer;
    ASSERT_EQ(viewer.Open(FixtureWave("tones-mono8.wav").c_str(), 0, 0), 1);
    EXPECT_EQ(viewer.Header().Channels, 1);
    EXPECT_EQ(viewer.Header().PointCount, 6u * 11025);
    // 8-bit silence (128) lies at level 32,640; a half-scale tone reaches about 64 steps of 255.
    EXPECT_EQ(viewer.PointLevel(static_cast<uint32_t>(viewer.MsToPoint(500)), 1), 128 * 255);
    EXPECT_NEAR(PeakBetween(viewer, 1, 1050, 1950), 64 * 255 + 127, 2 * 255);
    EXPECT_LE(PeakBetween(viewer, 1, 2050, 2950), 127);
}

// ramp.wav: frame n holds n mod 65,536 - 32,768 on the left and 7n mod 65,536 - 32,768 on the right.
int32_t RampLevel(int64_t frame, int32_t channel) {
    const int64_t step = channel == 1 ? 1 : 7;
    return static_cast<int32_t>((frame * step) % 65536) - 1;
}

TEST(TWaveViewerTest, PortionsFromAnyMillisecondHoldTheSamplesOfThatTime) {
    const std::u16string path = FixtureWave("ramp.wav");
    for (const int32_t startMs : {0, 1, 3, 999, 1001, 1777, 2999}) {
        for (const int32_t lengthMs : {1, 7, 250}) {
            SCOPED_TRACE(::testing::Message() << startMs << " ms for " << lengthMs << " ms");
            TWaveViewer viewer;
            ASSERT_EQ(viewer.Open(path.c_str(), startMs, lengthMs), 1);
            // 48 frames a millisecond; a portion past the end of the 3 s moves back.
            const int64_t frames = int64_t{48} * lengthMs;
            ASSERT_EQ(viewer.Header().PointCount, static_cast<uint32_t>(frames));
            const int64_t expectedFirst = std::min<int64_t>(int64_t{48} * startMs, 3 * 48000 - frames);
            for (uint32_t point = 0; point < viewer.Header().PointCount; ++point) {
                ASSERT_EQ(viewer.PointLevel(point, 1), RampLevel(expectedFirst + point, 1))
                    << "point " << point;
                ASSERT_EQ(viewer.PointLevel(point, 2), RampLevel(expectedFirst + point, 2))
                    << "point " << point;
            }
        }
    }
}

std::string SilentFrames(int frames, int bytesPerFrame, char silence) {
    return std::string(static_cast<std::size_t>(frames * bytesPerFrame), silence);
}

TEST(TWaveViewerTest, FeedingAndAppendingBlocksKeepsCountingPointsAndTime) {
    TWaveViewer viewer;
    const audio::WaveFormat format = audio::testing::StereoFormat16(8000);
    const std::string first = audio::testing::NumberedFrames(8000);
    const std::string second = audio::testing::NumberedFrames(4000);
    EXPECT_EQ(viewer.Feed(reinterpret_cast<const uint8_t*>(first.data()), 0, format, 0, false), 0);
    EXPECT_FALSE(viewer.IsOpen()) << "an empty block changes nothing";
    ASSERT_EQ(viewer.Feed(reinterpret_cast<const uint8_t*>(first.data()), 32000, format, 2000, false), 1);
    ASSERT_EQ(viewer.Feed(reinterpret_cast<const uint8_t*>(second.data()), 16000, format, -1, true), 1);
    EXPECT_EQ(viewer.Header().PointCount, 12000u);
    EXPECT_EQ(viewer.Header().DurationMs, 1500u);
    EXPECT_EQ(viewer.Header().SourceBytes, 32000u) << "the first block's size stays";
    EXPECT_EQ(viewer.GetStartMs(), 2000);
    EXPECT_EQ(viewer.GetLengthMs(), 1500);
    EXPECT_EQ(viewer.PointLevel(8000, 1), 32767) << "the appended block starts at its own frame 0";

    audio::WaveFormat broken = format;
    broken.channels = 0;
    EXPECT_EQ(viewer.Feed(reinterpret_cast<const uint8_t*>(first.data()), 32000, broken, 0, false), 0);
    EXPECT_FALSE(viewer.HoldsEnvelope());
    EXPECT_EQ(viewer.Feed(nullptr, 32000, format, 0, false), 0);
    ASSERT_EQ(viewer.Feed(reinterpret_cast<const uint8_t*>(first.data()), 32000, format, 0, false), 1);
    viewer.Clear();
    EXPECT_FALSE(viewer.HoldsEnvelope());
    EXPECT_EQ(viewer.PixelsToMs(100, 100, 1), 0);
}

TEST(TWaveViewerTest, ConversionsBetweenPixelsPointsAndTime) {
    TWaveViewer viewer;
    const std::string second = SilentFrames(8000, 4, 0);
    EXPECT_EQ(viewer.MsToPoint(500), 0) << "no envelope";
    ASSERT_EQ(viewer.Feed(reinterpret_cast<const uint8_t*>(second.data()), 32000,
                          audio::testing::StereoFormat16(8000), 0, false),
              1);
    EXPECT_EQ(viewer.PixelsToMs(100, 100, 1), 1000) << "a width shows the whole duration at zoom 1";
    EXPECT_EQ(viewer.PixelsToMs(100, 100, 4), 250);
    EXPECT_EQ(viewer.PixelsToMs(50, 100, 1), 500);
    EXPECT_EQ(viewer.MsToPixels(500, 100, 1), 50);
    EXPECT_EQ(viewer.MsToPixels(500, 100, 4), 200);
    EXPECT_EQ(viewer.MsToPoint(500), 4000);
    EXPECT_EQ(viewer.PixelsToMs(100, 0, 1), 0);
    EXPECT_EQ(viewer.PixelsToMs(100, 100, 0), 0);
    EXPECT_EQ(viewer.MsToPixels(100, 0, 1), 0);
}

// The rows in which green was drawn, past the first column (the wave starts from the middle row).
std::set<int> GreenRows(const QImage& image) {
    std::set<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 1; x < image.width(); ++x) {
            if (image.pixel(x, y) == qRgb(0, 255, 0)) {
                rows.insert(y);
            }
        }
    }
    return rows;
}

QImage Painted(TWaveViewer& viewer, int32_t channel, int32_t& scroll, double zoom, double* result) {
    QImage image(100, 1000, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    *result = viewer.PaintChannel(painter, channel, scroll, 0, 0, 100, 1000, zoom);
    return image;
}

TEST(TWaveViewerTest, SilenceIsDrawnOnTheMiddleRowAndEightBitSilenceJustBelowIt) {
    struct Case {
        const char* name;
        audio::WaveFormat format;
        char silence;
        int expectedRow;
    };
    audio::WaveFormat mono8;
    mono8.formatTag = audio::kWaveFormatPcm;
    mono8.channels = 1;
    mono8.samplesPerSec = 8000;
    mono8.avgBytesPerSec = 8000;
    mono8.blockAlign = 1;
    mono8.bitsPerSample = 8;
    const Case cases[] = {{"16-bit stereo", audio::testing::StereoFormat16(8000), 0, 500},
                          {"8-bit mono", mono8, static_cast<char>(128), 501}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TWaveViewer viewer;
        const std::string block = SilentFrames(8000, c.format.blockAlign, c.silence);
        ASSERT_EQ(viewer.Feed(reinterpret_cast<const uint8_t*>(block.data()),
                              static_cast<int32_t>(block.size()), c.format, 0, false),
                  1);
        int32_t scroll = 0;
        double secondsPerPixel = 0;
        const QImage image = Painted(viewer, 1, scroll, 1.0, &secondsPerPixel);
        EXPECT_NEAR(secondsPerPixel, 0.01, 1e-9);
        EXPECT_EQ(GreenRows(image), (std::set<int>{c.expectedRow}));
        int lastGreen = -1;
        for (int x = 0; x < image.width(); ++x) {
            lastGreen = image.pixel(x, c.expectedRow) == qRgb(0, 255, 0) ? x : lastGreen;
        }
        // A flat line's last stroke has no length: it ends one column short of the edge.
        EXPECT_GE(lastGreen, 98) << "the strokes reach the right edge";
    }
}

TEST(TWaveViewerTest, TheScrollIsClampedAndWrittenBackAndAMissingChannelDrawsNothing) {
    TWaveViewer viewer;
    const std::string block = SilentFrames(16000, 2, 0); // 2 s of 16-bit mono
    audio::WaveFormat mono = audio::testing::StereoFormat16(8000);
    mono.channels = 1;
    mono.blockAlign = 2;
    mono.avgBytesPerSec = 16000;
    ASSERT_EQ(viewer.Feed(reinterpret_cast<const uint8_t*>(block.data()), 32000, mono, 0, false), 1);
    struct Case {
        int32_t scroll, zoomed, expected;
    };
    // At zoom 4 a width shows 500 ms: the largest scroll is 1,500 ms.
    for (const Case c : {Case{5000, 4, 1500}, Case{-20, 4, 0}, Case{700, 4, 700}, Case{700, 1, 0}}) {
        int32_t scroll = c.scroll;
        double result = 0;
        Painted(viewer, 1, scroll, c.zoomed, &result);
        EXPECT_EQ(scroll, c.expected) << c.scroll << " at zoom " << c.zoomed;
    }
    int32_t scroll = 0;
    double result = 1;
    const QImage image = Painted(viewer, 2, scroll, 1.0, &result);
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(GreenRows(image).empty());
    EXPECT_EQ(Painted(viewer, 1, scroll, 0, &result).pixel(50, 500), qRgb(0, 0, 0));
    EXPECT_EQ(result, 0) << "zoom 0 draws nothing";
}

} // namespace
