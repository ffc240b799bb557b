#include "editor/wave/TWavePlayer.h"
#include "editor/wave/tests/MessageRecorder.h"
#include "editor/wave/tests/WaveTestFiles.h"
#include "platform/audio/GstWaveOut.h"
#include "platform/audio/ManualWaveOut.h"
#include "platform/audio/RiffWaveFile.h"
#include "platform/media/GstRef.h"

#include <QFile>
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

namespace {

namespace audio = plat::audio;
using Message = MessageRecorder::Message;

// A player on a manual output, with a 25-second numbered file (8,000 Hz 16-bit stereo: 32,000 bytes a
// second, so each of the two buffers holds 10 s, 320,000 bytes).
class TWavePlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = folder_.NumberedWave(25);
        player_.SetNotifyWindow(messages_.Handle());
    }
    std::string FileData(int64_t offset, int64_t count) {
        audio::RiffWaveFile file;
        file.Open(QString::fromStdU16String(path_).toStdString());
        std::string bytes(static_cast<std::size_t>(count), '\0');
        bytes.resize(static_cast<std::size_t>(file.ReadData(offset, bytes.data(), count)));
        return bytes;
    }
    std::string Bytes(const audio::ManualWaveOut::Block& block) {
        return {block.bytes.begin(), block.bytes.end()};
    }

    WaveTestFolder folder_;
    std::u16string path_;
    MessageRecorder messages_;
    audio::ManualWaveOut* out_ = nullptr; // owned by the player while it plays
    TWavePlayer player_{[this] {
        auto out = std::make_unique<audio::ManualWaveOut>();
        out_ = out.get();
        return out;
    }};
};

TEST_F(TWavePlayerTest, OpeningQueuesBothBuffersAndPlaysAtOnce) {
    ASSERT_EQ(player_.Open(path_.c_str(), 0, 0), 1);
    EXPECT_EQ(messages_.Take(), (std::vector<Message>{{WM_WAVE_FILLED, 0}, {WM_WAVE_STATE, kWavePlaying}}));
    const auto written = out_->Written();
    ASSERT_EQ(written.size(), 2u);
    EXPECT_TRUE(Bytes(written[0]) == FileData(0, 320000));
    EXPECT_TRUE(Bytes(written[1]) == FileData(320000, 320000));
    EXPECT_EQ(player_.GetState(), kWavePlaying);
    EXPECT_EQ(player_.GetBufferDurationMs(), 10000);
    const uint8_t* data = nullptr;
    int32_t startMs = -1;
    player_.Lock();
    EXPECT_EQ(player_.GetBlock(0, &data, &startMs), 320000);
    EXPECT_EQ(startMs, 0);
    EXPECT_EQ(player_.GetBlock(1, &data, &startMs), 320000);
    EXPECT_EQ(startMs, 10000);
    player_.Unlock();
    audio::WaveFormat format;
    int32_t lengthMs = 0;
    ASSERT_TRUE(player_.GetFormat(&format, &lengthMs));
    EXPECT_EQ(lengthMs, 25000);
    EXPECT_EQ(format.samplesPerSec, 8000u);
}

TEST_F(TWavePlayerTest, EachDoneBufferIsRefilledUntilTheDataRunsOutThenItEnds) {
    ASSERT_EQ(player_.Open(path_.c_str(), 0, 0), 1);
    messages_.Take();
    ASSERT_TRUE(out_->CompleteOne());
    EXPECT_EQ(messages_.Take(), (std::vector<Message>{{WM_WAVE_FILLED, 1}}));
    ASSERT_EQ(out_->Written().size(), 3u);
    EXPECT_TRUE(Bytes(out_->Written()[2]) == FileData(640000, 160000));
    EXPECT_EQ(player_.GetBlockStartMs(), 10000) << "the oldest queued buffer";
    ASSERT_TRUE(out_->CompleteOne());
    EXPECT_EQ(messages_.Take(), (std::vector<Message>{{WM_WAVE_FILLED, 0}}));
    ASSERT_TRUE(out_->CompleteOne());
    EXPECT_EQ(messages_.Take(),
              (std::vector<Message>{{WM_WAVE_FILLED, 1}, {WM_WAVE_ENDED, 0}, {WM_WAVE_STATE, kWaveEnded}}));
    EXPECT_EQ(player_.GetState(), kWaveEnded);
    EXPECT_EQ(out_->Written().size(), 3u);
    EXPECT_FALSE(out_->CompleteOne()) << "nothing is left queued";
    // A seek after the end plays again.
    ASSERT_EQ(player_.Seek(1000), 1);
    EXPECT_EQ(player_.GetState(), kWavePlaying);
}

TEST_F(TWavePlayerTest, ASeekStartsAtTheTargetWithHalfABufferOfLeadInBeforeIt) {
    ASSERT_EQ(player_.Open(path_.c_str(), 0, 0), 1);
    struct Case {
        int32_t ms;
        int64_t firstBufferOffset; // where the first buffer's read starts
        std::size_t writes;        // a refill caused by the reset's done notices would add one
    };
    // Half a buffer is 5 s; a target before that has a lead-in that reaches back only to 0.
    for (const Case c : {Case{3000, 0, 2}, Case{12000, 224000, 2}, Case{24999, 639968, 1}}) {
        SCOPED_TRACE(c.ms);
        const std::size_t before = out_->Written().size();
        const int resets = out_->ResetCount();
        messages_.Take();
        ASSERT_EQ(player_.Seek(c.ms), 1);
        EXPECT_EQ(out_->ResetCount(), resets + 1);
        const auto written = out_->Written();
        ASSERT_EQ(written.size(), before + c.writes);
        const int64_t target = int64_t{c.ms} * 32;
        EXPECT_TRUE(
            Bytes(written[before]) ==
            FileData(target, std::min<int64_t>(320000 - (target - c.firstBufferOffset), 800000 - target)));
        EXPECT_EQ(messages_.Take(), (std::vector<Message>{{WM_WAVE_FILLED, 0}}));
        EXPECT_EQ(player_.GetPosition(), c.ms) << "positions count from the target";
        const uint8_t* data = nullptr;
        int32_t startMs = -1;
        player_.Lock();
        player_.GetBlock(0, &data, &startMs);
        player_.Unlock();
        EXPECT_EQ(startMs, static_cast<int32_t>(c.firstBufferOffset / 32)) << "the block holds the lead-in";
    }
    out_->SetPositionBytes(32000);
    EXPECT_EQ(player_.GetPosition(), 25999);
}

TEST_F(TWavePlayerTest, SeekTargetsFallOnWholeFrames) {
    ASSERT_EQ(player_.Open(path_.c_str(), 0, 0), 1);
    for (const int32_t ms : {1, 3, 7, 333, 12345}) {
        const std::size_t before = out_->Written().size();
        ASSERT_EQ(player_.Seek(ms), 1);
        const std::string first = Bytes(out_->Written()[before]);
        // The numbered frames: the left sample is the frame number, the right its negative.
        const int16_t left =
            static_cast<int16_t>(static_cast<uint8_t>(first[0]) | static_cast<uint8_t>(first[1]) << 8);
        const int16_t right =
            static_cast<int16_t>(static_cast<uint8_t>(first[2]) | static_cast<uint8_t>(first[3]) << 8);
        EXPECT_EQ(right, static_cast<int16_t>(-left)) << ms << " ms: the channels swapped";
    }
}

TEST_F(TWavePlayerTest, PauseResumeAndSeekingWhilePaused) {
    EXPECT_EQ(player_.TogglePause(), -1) << "nothing open";
    ASSERT_EQ(player_.Open(path_.c_str(), 0, 0), 1);
    messages_.Take();
    ASSERT_EQ(player_.TogglePause(), 1);
    EXPECT_TRUE(out_->IsPaused());
    ASSERT_EQ(player_.Seek(5000), 1);
    EXPECT_TRUE(out_->IsPaused());
    EXPECT_EQ(player_.GetState(), kWavePaused);
    ASSERT_EQ(player_.TogglePause(), 1);
    EXPECT_FALSE(out_->IsPaused());
    EXPECT_EQ(messages_.Take(),
              (std::vector<Message>{
                  {WM_WAVE_STATE, kWavePaused}, {WM_WAVE_FILLED, 0}, {WM_WAVE_STATE, kWavePlaying}}));
}

TEST_F(TWavePlayerTest, RefusedSeeksChangeNothing) {
    EXPECT_EQ(player_.Seek(1000), -1) << "nothing open";
    ASSERT_EQ(player_.Open(path_.c_str(), 0, 0), 1);
    const std::size_t written = out_->Written().size();
    messages_.Take();
    EXPECT_EQ(player_.Seek(26000), -1);
    EXPECT_EQ(player_.Seek(-1), -1);
    EXPECT_EQ(out_->Written().size(), written);
    EXPECT_EQ(out_->ResetCount(), 0);
    EXPECT_TRUE(messages_.Take().empty());
}

TEST_F(TWavePlayerTest, StoppingClosesTheDeviceAndReportsTheStop) {
    ASSERT_EQ(player_.Open(path_.c_str(), 0, 0), 1);
    messages_.Take();
    EXPECT_EQ(player_.Stop(), 1);
    EXPECT_EQ(messages_.Take(), (std::vector<Message>{{WM_WAVE_STATE, kWaveStopped}}));
    EXPECT_EQ(player_.GetState(), kWaveStopped);
    EXPECT_EQ(player_.GetPosition(), -1);
    EXPECT_EQ(player_.Seek(0), -1);
    EXPECT_EQ(player_.TogglePause(), -1);
    const uint8_t* data = nullptr;
    int32_t startMs = 0;
    EXPECT_EQ(player_.GetBlock(0, &data, &startMs), -1);
}

TEST_F(TWavePlayerTest, AFileOrDeviceThatDoesNotOpenLeavesThePlayerStoppedWithoutReports) {
    EXPECT_EQ(player_.Open(folder_.Write("text.wav", "plain text").c_str(), 0, 0), 0);
    TWavePlayer refused([] {
        auto out = std::make_unique<audio::ManualWaveOut>();
        out->RefuseOpen(true);
        return out;
    });
    refused.SetNotifyWindow(messages_.Handle());
    EXPECT_EQ(refused.Open(path_.c_str(), 0, 0), 0);
    EXPECT_EQ(refused.GetState(), kWaveStopped);
    EXPECT_TRUE(messages_.Take().empty());
}

TEST_F(TWavePlayerTest, APortionStartingMidFilePlaysOnlyThatPortion) {
    ASSERT_EQ(player_.Open(path_.c_str(), 5000, 3000), 1);
    const auto written = out_->Written();
    ASSERT_EQ(written.size(), 1u);
    EXPECT_TRUE(Bytes(written[0]) == FileData(160000, 96000));
    EXPECT_EQ(player_.GetPosition(), 5000);
    EXPECT_EQ(player_.Seek(4000), -1) << "before the portion";
    ASSERT_TRUE(out_->CompleteOne());
    ASSERT_TRUE(out_->Written().size() == 1u);
    EXPECT_EQ(player_.GetState(), kWaveEnded);
}

TEST_F(TWavePlayerTest, TheBufferCountDividesTheBufferedTime) {
    player_.SetBufferCount(0);
    ASSERT_EQ(player_.Open(path_.c_str(), 0, 0), 1);
    EXPECT_EQ(player_.GetBufferDurationMs(), 20000);
    EXPECT_EQ(out_->Written().size(), 1u);
    player_.SetBufferCount(4);
    EXPECT_EQ(player_.GetState(), kWaveStopped) << "changing the ring stops playback";
    ASSERT_EQ(player_.Open(path_.c_str(), 0, 0), 1);
    EXPECT_EQ(player_.GetBufferDurationMs(), 5000);
    EXPECT_EQ(out_->Written().size(), 4u);
}

// An output that lets the test watch its sink before any block is written.
class TappedOutput : public audio::WaveOut {
public:
    explicit TappedOutput(std::string* received, std::mutex* mutex) : received_(received), mutex_(mutex) {}
    bool Open(const audio::WaveFormat& format, DoneHandler onDone) override {
        if (!out_.Open(format, std::move(onDone))) {
            return false;
        }
        auto pad = plat::media::PadRef::Adopt(gst_element_get_static_pad(out_.SinkElement(), "sink"));
        gst_pad_add_probe(pad.get(), GST_PAD_PROBE_TYPE_BUFFER, &TappedOutput::Probe, this, nullptr);
        return true;
    }
    std::uint64_t Write(const std::uint8_t* data, std::size_t length, std::uintptr_t user) override {
        return out_.Write(data, length, user);
    }
    void Pause() override { out_.Pause(); }
    void Restart() override { out_.Restart(); }
    void Reset() override { out_.Reset(); }
    std::optional<std::uint64_t> PositionBytes() override { return out_.PositionBytes(); }
    void Close() override { out_.Close(); }

private:
    static GstPadProbeReturn Probe(GstPad*, GstPadProbeInfo* info, gpointer data) {
        auto* self = static_cast<TappedOutput*>(data);
        GstMapInfo map;
        if (gst_buffer_map(GST_PAD_PROBE_INFO_BUFFER(info), &map, GST_MAP_READ)) {
            std::lock_guard lock(*self->mutex_);
            self->received_->append(reinterpret_cast<const char*>(map.data), map.size);
            gst_buffer_unmap(GST_PAD_PROBE_INFO_BUFFER(info), &map);
        }
        return GST_PAD_PROBE_OK;
    }
    audio::GstWaveOut out_{audio::GstWaveOut::Sink::Fake, false};
    std::string* received_;
    std::mutex* mutex_;
};

TEST(TWavePlayerPipelineTest, TheFakeSinkReceivesTheWholeFileInOrderAndTheEndIsReported) {
    WaveTestFolder folder;
    // The generated ramp fits in the first buffers; the 25-second file goes round the ring.
    for (const std::u16string& path : {FixtureWave("ramp.wav"), folder.NumberedWave(25)}) {
        SCOPED_TRACE(QString::fromStdU16String(path).toStdString());
        std::string received;
        std::mutex mutex;
        MessageRecorder messages;
        TWavePlayer player([&] { return std::make_unique<TappedOutput>(&received, &mutex); });
        player.SetNotifyWindow(messages.Handle());
        player.SetBufferCount(40); // half a second each at 8,000 Hz
        ASSERT_EQ(player.Open(path.c_str(), 0, 0), 1);
        bool endNotice = false;
        messages.WaitUntil([&](const Message& m) {
            endNotice = endNotice || m.first == WM_WAVE_ENDED;
            return m == Message{WM_WAVE_STATE, kWaveEnded};
        });
        EXPECT_TRUE(endNotice) << "the end notice comes before the state";
        EXPECT_EQ(player.GetState(), kWaveEnded);
        audio::RiffWaveFile file;
        ASSERT_EQ(file.Open(QString::fromStdU16String(path).toStdString()), audio::RiffWaveFile::Error::None);
        std::string expected(static_cast<std::size_t>(file.DataSize()), '\0');
        file.ReadData(0, expected.data(), file.DataSize());
        std::lock_guard lock(mutex);
        EXPECT_EQ(received.size(), expected.size());
        EXPECT_TRUE(received == expected) << "the samples arrived out of order or changed";
    }
}

} // namespace
