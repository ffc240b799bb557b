#include "editor/wave/TWaveFile.h"
#include "editor/wave/tests/WaveTestFiles.h"

#include <gtest/gtest.h>

namespace {

// Portions of the 6-second 44,100 Hz 16-bit stereo file (176,400 bytes a second).
TEST(TWaveFileTest, PortionsAreMovedAndCutToFitTheData) {
    struct Case {
        int32_t startMs, lengthMs, expectedStartMs, expectedLengthMs;
    };
    const Case cases[] = {
        {0, 0, 0, 6000},          // a length of 0: the rest of the data
        {2000, 0, 2000, 4000},    // ... from the start
        {7000, 0, 0, 6000},       // a start past the end with no length: the whole chunk
        {0, 9000, 0, 6000},       // a length past the data is cut
        {4000, 5000, 1000, 5000}, // the start moves back so that the portion ends with the data
        {10000, 2000, 4000, 2000},
        {3, 1000, 2, 1000},   // 3 ms is 529.2 bytes: the start falls on the frame at 528
        {-50, 1000, 0, 1000}, // a negative start is the beginning
    };
    const std::u16string path = FixtureWave("tones.wav");
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.startMs << " ms for " << c.lengthMs << " ms");
        TWaveFile file;
        ASSERT_EQ(file.Open(path.c_str(), c.startMs, c.lengthMs), 1);
        EXPECT_EQ(file.GetStartMs(), c.expectedStartMs);
        EXPECT_EQ(file.GetLengthMs(), c.expectedLengthMs);
        EXPECT_EQ(file.GetChannels(), 2);
    }
}

TEST(TWaveFileTest, ConversionsKeepWholeFramesAtBothSampleWidths) {
    struct Case {
        const char* file;
        int64_t bytes;
        int32_t expectedMs;
        int32_t ms;
        int64_t expectedBytes;
    };
    const Case cases[] = {
        {"tones.wav", 176400, 1000, 1000, 176400},
        {"tones.wav", 176399, 999, 3, 528}, // 529.2 bytes: down to the frame
        {"tones.wav", 4, 0, 1, 176},
        {"tones.wav", 0, 0, -7, 0},
        {"tones-mono8.wav", 11025, 1000, 1000, 11025},
        {"tones-mono8.wav", 1, 0, 3, 33},
        {"tones-mono8.wav", 66150, 6000, 6000, 66150},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.file << " " << c.bytes << " bytes, " << c.ms << " ms");
        TWaveFile file;
        ASSERT_EQ(file.Open(FixtureWave(c.file).c_str(), 0, 0), 1);
        EXPECT_EQ(file.BytesToMs(c.bytes), c.expectedMs);
        EXPECT_EQ(file.MsToBytes(c.ms), c.expectedBytes);
    }
}

TEST(TWaveFileTest, EveryAccessorAnswersMinusOneWhileNothingIsOpen) {
    WaveTestFolder folder;
    TWaveFile file;
    const std::u16string text = folder.Write("text.wav", "not a sound at all");
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_EQ(file.BytesToMs(100), -1);
        EXPECT_EQ(file.MsToBytes(100), -1);
        EXPECT_EQ(file.GetChannels(), -1);
        EXPECT_EQ(file.GetStartMs(), -1);
        EXPECT_EQ(file.GetLengthMs(), -1);
        EXPECT_EQ(file.Open(text.c_str(), 0, 0), 0);
    }
    EXPECT_EQ(file.Open(nullptr, 0, 0), 0);
}

TEST(TWaveFileTest, ASecondOpenReplacesTheFirst) {
    TWaveFile file;
    ASSERT_EQ(file.Open(FixtureWave("tones.wav").c_str(), 1000, 500), 1);
    ASSERT_EQ(file.Open(FixtureWave("tones-mono8.wav").c_str(), 0, 0), 1);
    EXPECT_EQ(file.GetChannels(), 1);
    EXPECT_EQ(file.GetStartMs(), 0);
    EXPECT_EQ(file.GetLengthMs(), 6000);
    WaveTestFolder folder;
    EXPECT_EQ(file.Open(folder.Write("empty.wav", "").c_str(), 0, 0), 0);
    EXPECT_EQ(file.GetChannels(), -1) << "a failed open leaves the reader closed";
}

} // namespace
