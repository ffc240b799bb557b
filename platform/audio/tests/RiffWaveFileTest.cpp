#include "platform/audio/RiffWaveFile.h"
#include "platform/audio/tests/WaveBytes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace plat::audio {
namespace {

using testing::WaveBytes;
using Error = RiffWaveFile::Error;

class RiffWaveFileTest : public ::testing::Test {
protected:
    std::string Write(const std::string& bytes) {
        const std::string path = folder_.filePath("test.wav").toStdString();
        testing::WriteFile(path, bytes);
        return path;
    }
    QTemporaryDir folder_;
};

std::string WholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST_F(RiffWaveFileTest, GeneratedFileOpensPastItsListChunkAndReadsTheDataBytes) {
    const std::string path = WAVE_FIXTURES "/tones.wav";
    RiffWaveFile file;
    ASSERT_EQ(file.Open(path), Error::None);
    EXPECT_EQ(file.Format().channels, 2);
    EXPECT_EQ(file.Format().samplesPerSec, 44100u);
    EXPECT_EQ(file.Format().bitsPerSample, 16);
    EXPECT_EQ(file.DataSize(), 6 * 44100 * 4);
    const std::string bytes = WholeFile(path);
    EXPECT_EQ(bytes.substr(static_cast<std::size_t>(file.DataPosition()) - 8, 4), "data");
    // Reads at odd offsets, and one running past the end of the data.
    for (const std::int64_t offset : {std::int64_t{0}, std::int64_t{4001}, file.DataSize() - 10}) {
        std::vector<char> read(100, 'x');
        const std::int64_t got = file.ReadData(offset, read.data(), 100);
        EXPECT_EQ(got, std::min<std::int64_t>(100, file.DataSize() - offset));
        EXPECT_EQ(std::string(read.data(), static_cast<std::size_t>(got)),
                  bytes.substr(static_cast<std::size_t>(file.DataPosition() + offset),
                               static_cast<std::size_t>(got)));
    }
}

TEST_F(RiffWaveFileTest, ReadsStayInsideTheData) {
    WaveBytes wave;
    wave.data = testing::NumberedFrames(10);
    wave.chunksBeforeData = testing::Chunk("LIST", "abc"); // odd size: a pad byte follows
    RiffWaveFile file;
    ASSERT_EQ(file.Open(Write(wave.Build() + testing::Chunk("junk", "trailing"))), Error::None);
    EXPECT_EQ(file.DataSize(), 40);
    char buffer[64];
    EXPECT_EQ(file.ReadData(36, buffer, 64), 4);
    EXPECT_EQ(file.ReadData(40, buffer, 64), 0);
    EXPECT_EQ(file.ReadData(-1, buffer, 4), 0);
    EXPECT_EQ(file.ReadData(0, buffer, -4), 0);
    file.Close();
    EXPECT_EQ(file.ReadData(0, buffer, 4), 0);
}

// What each hostile or unusual file does when opened.
struct FileCase {
    const char* name;
    std::string bytes;
    Error expected;
    std::int64_t dataSize; // when it opens
};

std::vector<FileCase> FileCases() {
    auto wave = [](auto change) {
        WaveBytes bytes;
        bytes.data = testing::NumberedFrames(8);
        change(bytes);
        return bytes.Build();
    };
    const std::string valid = wave([](WaveBytes&) {});
    return {
        {"valid", valid, Error::None, 32},
        {"fmt of 18 bytes", wave([](WaveBytes& w) { w.formatChunkSize = 18; }), Error::None, 32},
        {"half a frame at the end", wave([](WaveBytes& w) { w.data += "ab"; }), Error::None, 32},
        {"empty data", wave([](WaveBytes& w) { w.data.clear(); }), Error::None, 0},
        {"empty file", "", Error::NotRiffWave, 0},
        {"text named .wav", "This is a text file, not a sound.\n", Error::NotRiffWave, 0},
        {"another RIFF form", "RIFF\x04\0\0\0AVI ", Error::NotRiffWave, 0},
        {"header cut short", valid.substr(0, 10), Error::NotRiffWave, 0},
        {"truncated in the data", valid.substr(0, valid.size() - 6), Error::ChunkPastEnd, 0},
        {"truncated in fmt", valid.substr(0, 30), Error::ChunkPastEnd, 0},
        {"RIFF size past the end", wave([](WaveBytes& w) { w.riffSizeField = 0xFFFFFFF0; }),
         Error::ChunkPastEnd, 0},
        {"data size past the end", wave([](WaveBytes& w) { w.dataSizeField = 0x7FFFFFFF; }),
         Error::ChunkPastEnd, 0},
        {"data size 4 GB", wave([](WaveBytes& w) { w.dataSizeField = 0xFFFFFFFF; }), Error::ChunkPastEnd, 0},
        {"huge chunk before data",
         wave([](WaveBytes& w) { w.chunksBeforeData = std::string("LIST\xF0\xFF\xFF\xFF", 8); }),
         Error::ChunkPastEnd, 0},
        {"fmt of 14 bytes", wave([](WaveBytes& w) { w.formatChunkSize = 14; }), Error::NoFormat, 0},
        {"data before fmt", wave([](WaveBytes& w) { w.dataBeforeFormat = true; }), Error::NoData, 0},
        {"no data", std::string(valid).replace(36, 4, "dat_"), Error::NoData, 0},
        {"0 channels", wave([](WaveBytes& w) { w.format.channels = 0; }), Error::UnsupportedFormat, 0},
        {"3 channels", wave([](WaveBytes& w) { w.format.channels = 3; }), Error::UnsupportedFormat, 0},
        {"0 Hz", wave([](WaveBytes& w) { w.format.samplesPerSec = 0; }), Error::UnsupportedFormat, 0},
        {"24-bit", wave([](WaveBytes& w) { w.format.bitsPerSample = 24; }), Error::UnsupportedFormat, 0},
        {"floating point", wave([](WaveBytes& w) { w.format.formatTag = 3; }), Error::UnsupportedFormat, 0},
        {"odd block alignment", wave([](WaveBytes& w) { w.format.blockAlign = 3; }), Error::UnsupportedFormat,
         0},
        {"block alignment 0", wave([](WaveBytes& w) { w.format.blockAlign = 0; }), Error::UnsupportedFormat,
         0},
        {"average rate 0", wave([](WaveBytes& w) { w.format.avgBytesPerSec = 0; }), Error::UnsupportedFormat,
         0},
    };
}

TEST_F(RiffWaveFileTest, HostileFilesFailToOpenAsTheirFaultSays) {
    for (const FileCase& c : FileCases()) {
        SCOPED_TRACE(c.name);
        RiffWaveFile file;
        const std::string path = Write(c.bytes);
        EXPECT_EQ(file.Open(path), c.expected) << RiffWaveFile::ErrorText(file.Open(path));
        EXPECT_EQ(file.IsOpen(), c.expected == Error::None);
        EXPECT_EQ(file.DataSize(), c.expected == Error::None ? c.dataSize : -1);
    }
}

TEST_F(RiffWaveFileTest, PathsThatAreNoFilesFailToOpen) {
    RiffWaveFile file;
    EXPECT_EQ(file.Open(folder_.path().toStdString()), Error::CannotOpen);
    EXPECT_EQ(file.Open(folder_.filePath("missing.wav").toStdString()), Error::CannotOpen);
    EXPECT_FALSE(file.IsOpen());
}

TEST_F(RiffWaveFileTest, ASixteenByteFormatTakesItsLastFourBytesFromTheNextChunk) {
    WaveBytes wave;
    wave.data = testing::NumberedFrames(2);
    RiffWaveFile file;
    ASSERT_EQ(file.Open(Write(wave.Build())), Error::None);
    EXPECT_EQ(file.Format().extraSize, 'd' | 'a' << 8);
    EXPECT_EQ(file.Format().extra, 't' | 'a' << 8);
}

} // namespace
} // namespace plat::audio
