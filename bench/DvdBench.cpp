// DVD navigator latencies on the test disc: from a play-title order to the title's first decoded
// frame, and from a chapter jump to the first frame of the chapter (goals: 300 ms and 150 ms).
// Frames are timed where they leave the navigator, decoded and with subpictures drawn in. Also the
// processor time the whole process spends per second of title played in real time. There is no peer
// (no other player is driven through the same navigator); the goals are absolute.
#include "platform/dvd/DvdNavigatorElement.h"
#include "platform/media/GraphEventQueue.h"
#include "platform/media/GstRef.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <sys/resource.h>
#include <thread>

namespace {

using namespace std::chrono_literals;
using plat::dvd::DvdNavigator;
using plat::dvd::DvdNavigatorElement;
using Clock = std::chrono::steady_clock;

std::string disc = DVD_FIXTURES "/disc";

// A playing pipeline around the navigator that reports the first frame after each new timeline.
class Player {
public:
    Player() {
        DvdNavigatorElement::Register();
        pipeline_ = plat::media::ElementRef::Sink(gst_pipeline_new(nullptr));
        GstElement* navigator = gst_element_factory_make(DvdNavigatorElement::kFactoryName, nullptr);
        GstElement* video = gst_element_factory_make("fakesink", nullptr);
        GstElement* audio = gst_element_factory_make("fakesink", nullptr);
        g_object_set(video, "sync", TRUE, nullptr);
        g_object_set(audio, "sync", TRUE, nullptr);
        gst_bin_add_many(GST_BIN(pipeline_.get()), navigator, video, audio, nullptr);
        gst_element_link_pads(navigator, "video", video, "sink");
        gst_element_link_pads(navigator, "audio", audio, "sink");
        plat::media::PadRef output =
            plat::media::PadRef::Adopt(gst_element_get_static_pad(navigator, "video"));
        gst_pad_add_probe(
            output.get(),
            static_cast<GstPadProbeType>(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_EVENT_FLUSH),
            &Player::Probe, this, nullptr);
        navigator_ = DvdNavigatorElement::Navigator(navigator);
        navigator_->SetEventListener([this](const plat::media::GraphEvent& event) { events_.Push(event); });
        ok_ = plat::media::Succeeded(navigator_->SetDvdDirectory(disc)) &&
              gst_element_set_state(pipeline_.get(), GST_STATE_PLAYING) != GST_STATE_CHANGE_FAILURE &&
              events_.WaitFor(plat::dvd::EC_DVD_STILL_ON, 5s).has_value();
    }
    ~Player() { gst_element_set_state(pipeline_.get(), GST_STATE_NULL); }

    bool Ok() const { return ok_; }
    DvdNavigator& Navigator() { return *navigator_; }

    // Runs the order and answers the time to the first frame of the new timeline, or a negative time.
    template <typename Order> double Measure(Order order) {
        std::unique_lock lock(mutex_);
        armed_ = true;
        newTimeline_ = false;
        framed_ = false;
        const Clock::time_point start = Clock::now();
        lock.unlock();
        if (plat::media::Failed(order())) {
            return -1;
        }
        lock.lock();
        if (!shown_.wait_for(lock, 5s, [this] { return framed_; })) {
            return -1;
        }
        return std::chrono::duration<double>(frameAt_ - start).count();
    }

private:
    static GstPadProbeReturn Probe(GstPad*, GstPadProbeInfo* info, gpointer self) {
        auto* player = static_cast<Player*>(self);
        std::lock_guard lock(player->mutex_);
        if (!player->armed_) {
            return GST_PAD_PROBE_OK;
        }
        if ((info->type & GST_PAD_PROBE_TYPE_EVENT_FLUSH) != 0) {
            player->newTimeline_ = player->newTimeline_ ||
                                   GST_EVENT_TYPE(GST_PAD_PROBE_INFO_EVENT(info)) == GST_EVENT_FLUSH_STOP;
        } else if (player->newTimeline_) {
            player->frameAt_ = Clock::now();
            player->framed_ = true;
            player->armed_ = false;
            player->shown_.notify_all();
        }
        return GST_PAD_PROBE_OK;
    }

    plat::media::ElementRef pipeline_;
    DvdNavigator* navigator_ = nullptr;
    plat::media::GraphEventQueue events_;
    bool ok_ = false;
    std::mutex mutex_;
    std::condition_variable shown_;
    bool armed_ = false;
    bool newTimeline_ = false;
    bool framed_ = false;
    Clock::time_point frameAt_;
};

void BM_PlayTitleToFirstFrame(benchmark::State& state) {
    Player player;
    if (!player.Ok()) {
        state.SkipWithError("the test disc does not play");
        return;
    }
    std::uint32_t title = 1;
    for (auto _ : state) {
        const double seconds = player.Measure([&] { return player.Navigator().PlayTitle(title); });
        if (seconds < 0) {
            state.SkipWithError("no frame after the order");
            return;
        }
        state.SetIterationTime(seconds);
        title = 3 - title;
    }
}
BENCHMARK(BM_PlayTitleToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_ChapterJumpToFirstFrame(benchmark::State& state) {
    Player player;
    if (!player.Ok() || plat::media::Failed(player.Navigator().PlayTitle(1))) {
        state.SkipWithError("the test disc does not play");
        return;
    }
    std::uint32_t chapter = 3;
    for (auto _ : state) {
        const double seconds =
            player.Measure([&] { return player.Navigator().PlayChapterInTitle(1, chapter); });
        if (seconds < 0) {
            state.SkipWithError("no frame after the jump");
            return;
        }
        state.SetIterationTime(seconds);
        chapter = chapter == 3 ? 2 : 3;
    }
}
BENCHMARK(BM_ChapterJumpToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void BM_TitlePlaybackCpu(benchmark::State& state) {
    Player player;
    if (!player.Ok() || player.Measure([&] { return player.Navigator().PlayTitle(1); }) < 0) {
        state.SkipWithError("the test disc does not play");
        return;
    }
    for (auto _ : state) {
        const double cpuBefore = ProcessCpuSeconds();
        const Clock::time_point start = Clock::now();
        std::this_thread::sleep_for(2s); // the pipeline plays in real time meanwhile
        const double played = std::chrono::duration<double>(Clock::now() - start).count();
        state.counters["cpu_per_played_s"] = (ProcessCpuSeconds() - cpuBefore) / played;
    }
}
BENCHMARK(BM_TitlePlaybackCpu)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && argv[1][0] != '-') {
        disc = argv[1]; // a disc of one's own instead of the test disc
        argv[1] = argv[0];
        --argc;
        ++argv;
    }
    std::printf("no peer: the latencies are measured against absolute goals (300 ms and 150 ms)\n");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
