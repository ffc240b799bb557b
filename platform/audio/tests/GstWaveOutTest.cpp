#include "platform/audio/GstWaveOut.h"
#include "platform/audio/tests/WaveBytes.h"
#include "platform/media/GstRef.h"
#include "platform/media/ThreadHandOff.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace plat::audio {
namespace {

using Notice = std::pair<std::uintptr_t, std::uint64_t>;

// The done notices an output delivers, waited for as they come.
class DoneLog {
public:
    WaveOut::DoneHandler Handler() {
        return [this](std::uintptr_t user, std::uint64_t serial) {
            std::lock_guard lock(mutex_);
            notices_.emplace_back(user, serial);
            arrived_.notify_all();
        };
    }
    bool WaitFor(std::size_t count) {
        std::unique_lock lock(mutex_);
        return arrived_.wait_for(lock, std::chrono::seconds(20), [&] { return notices_.size() >= count; });
    }
    std::vector<Notice> Notices() {
        std::lock_guard lock(mutex_);
        return notices_;
    }

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<Notice> notices_;
};

// Collects the bytes of every buffer that reaches the sink.
class SinkTap {
public:
    explicit SinkTap(GstElement* sink)
        : pad_(plat::media::PadRef::Adopt(gst_element_get_static_pad(sink, "sink"))) {
        plat::media::HandOver(this); // the probe runs on GStreamer's streaming thread
        gst_pad_add_probe(pad_.get(), GST_PAD_PROBE_TYPE_BUFFER, &SinkTap::Probe, this, nullptr);
    }
    std::string Bytes() {
        std::lock_guard lock(mutex_);
        return bytes_;
    }

private:
    static GstPadProbeReturn Probe(GstPad*, GstPadProbeInfo* info, gpointer data) {
        auto* self = static_cast<SinkTap*>(data);
        plat::media::TakeOver(self);
        GstMapInfo map;
        if (gst_buffer_map(GST_PAD_PROBE_INFO_BUFFER(info), &map, GST_MAP_READ)) {
            std::lock_guard lock(self->mutex_);
            self->bytes_.append(reinterpret_cast<const char*>(map.data), map.size);
            gst_buffer_unmap(GST_PAD_PROBE_INFO_BUFFER(info), &map);
        }
        return GST_PAD_PROBE_OK;
    }
    plat::media::PadRef pad_;
    std::mutex mutex_;
    std::string bytes_;
};

const std::uint8_t* Bytes(const std::string& text) {
    return reinterpret_cast<const std::uint8_t*>(text.data());
}

TEST(GstWaveOutTest, TheSinkReceivesEveryBlockInOrderAndEachIsDoneOnce) {
    GstWaveOut out(GstWaveOut::Sink::Fake, false);
    DoneLog log;
    ASSERT_TRUE(out.Open(testing::StereoFormat16(8000), log.Handler()));
    SinkTap tap(out.SinkElement());
    // Blocks of 1,000 frames: several buffers each.
    const std::string audio = testing::NumberedFrames(3000);
    std::vector<std::uint64_t> serials;
    for (std::size_t block = 0; block < 3; ++block) {
        serials.push_back(out.Write(Bytes(audio) + block * 4000, 4000, block));
    }
    ASSERT_TRUE(log.WaitFor(3));
    EXPECT_EQ(log.Notices(), (std::vector<Notice>{{0, serials[0]}, {1, serials[1]}, {2, serials[2]}}));
    EXPECT_TRUE(tap.Bytes() == audio) << "bytes at the sink differ from those written";
    out.Close();
    EXPECT_EQ(log.Notices().size(), 3u);
}

TEST(GstWaveOutTest, ResetReturnsQueuedBlocksAndPlaysOnFromPositionZero) {
    GstWaveOut out(GstWaveOut::Sink::Fake, true);
    DoneLog log;
    ASSERT_TRUE(out.Open(testing::StereoFormat16(8000), log.Handler()));
    out.Pause();
    const std::string second = testing::NumberedFrames(8000);
    out.Write(Bytes(second), second.size(), 1);
    out.Write(Bytes(second), second.size(), 2);
    out.Reset();
    ASSERT_TRUE(log.WaitFor(2)) << "a reset returns every queued block";
    EXPECT_EQ(out.PositionBytes(), 0u);
    out.Restart();
    const std::string tenth = testing::NumberedFrames(800);
    out.Write(Bytes(tenth), tenth.size(), 3);
    ASSERT_TRUE(log.WaitFor(3));
    const std::optional<std::uint64_t> position = out.PositionBytes();
    ASSERT_TRUE(position.has_value());
    EXPECT_GT(*position, 0u);
    EXPECT_LE(*position, tenth.size());
    EXPECT_EQ(*position % 4, 0u) << "positions fall on whole frames";
}

TEST(GstWaveOutTest, RefusesFormatsItCannotPlayAndWritesNothingWhileClosed) {
    GstWaveOut out(GstWaveOut::Sink::Fake, false);
    WaveFormat format = testing::StereoFormat16(8000);
    format.channels = 0;
    EXPECT_FALSE(out.Open(format, {}));
    const std::uint8_t bytes[4] = {};
    EXPECT_EQ(out.Write(bytes, 4, 0), 0u);
    EXPECT_FALSE(out.PositionBytes().has_value());
    EXPECT_EQ(out.SinkElement(), nullptr);
}

TEST(GstWaveOutTest, TestsRunOnTheFakeSink) {
    EXPECT_STREQ(std::getenv("TOVRIN_AUDIO_SINK"), "fake") << "CTest keeps tests off the sound card";
    EXPECT_EQ(GstWaveOut::SinkFromEnvironment(), GstWaveOut::Sink::Fake);
}

} // namespace
} // namespace plat::audio
