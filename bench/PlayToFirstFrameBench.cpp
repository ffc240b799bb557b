// Time from the play order to the first picture: a player of the core, given a description that
// renders clip.mp4, runs order 100 (build, preroll, locate, run) until its video surface holds the
// first frame; against a plain playbin prerolling the same file into fakesink and fakeaudiosink. The
// player is reused, as a host reuses it: each iteration stops it (order 102) outside the timing. The
// ratio of the means is printed at the end.
#include "core/include/VokradOrders.h"
#include "core/src/TCorePlayer.h"
#include "platform/media/GstInit.h"
#include "platform/video/SurfaceRendererFactory.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto kDeadline = 10s;
std::string clipPath = std::string(MEDIA_FIXTURES) + "/clip.mp4";

// Counts the frames the surface was told of and the moment the latest came.
class Frames {
public:
    explicit Frames(plat::video::VideoSurface& surface) : surface_(surface) {
        id_ = surface.AddFrameListener([this](const plat::video::VideoFrame&) {
            std::lock_guard lock(mutex_);
            ++count_;
            at_ = Clock::now();
            arrived_.notify_all();
        });
    }
    ~Frames() { surface_.RemoveFrameListener(id_); }
    Frames(const Frames&) = delete;
    Frames& operator=(const Frames&) = delete;

    std::uint64_t Count() {
        std::lock_guard lock(mutex_);
        return count_;
    }
    // The moment of the first frame after `seen` frames; nothing when none came in time.
    std::optional<Clock::time_point> WaitAfter(std::uint64_t seen) {
        std::unique_lock lock(mutex_);
        if (!arrived_.wait_for(lock, kDeadline, [&] { return count_ > seen; })) {
            return std::nullopt;
        }
        return at_;
    }

private:
    plat::video::VideoSurface& surface_;
    plat::video::VideoSurface::ListenerId id_ = 0;
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::uint64_t count_ = 0;
    Clock::time_point at_;
};

// One player of the core rendering into a surface, audio to a sink that only keeps time.
class BenchPlayer {
public:
    BenchPlayer() : surface_(std::make_shared<plat::video::VideoSurface>()), frames_(*surface_) {
        TEngineSetup setup;
        setup.videoSurface = surface_;
        setup.renderers = std::make_shared<plat::video::SurfaceRendererFactory>(
            surface_, plat::video::SurfaceRendererFactory::AudioOutput::Fake);
        setup.filterFolder = folder_.path().toStdString();
        player_.SetEngineSetup(std::move(setup));
        player_.PlayStart();
        const std::u16string xgr = u"<GRAPH version=\"1.0\"><RENDERFILE Filename=\"" +
                                   std::u16string(clipPath.begin(), clipPath.end()) + u"\"/></GRAPH>";
        TOrderGraphDescription description{{0, sizeof(description)}, 1, xgr.c_str()};
        player_.SendOrder(kOrderGraphDescription, &description, nullptr);
    }
    ~BenchPlayer() { player_.Close(); }

    // Seconds from the play order to the first frame on the surface; negative on failure.
    double PlayToFirstFrame() {
        const std::uint64_t seen = frames_.Count();
        const Clock::time_point start = Clock::now();
        if (player_.SendOrder(kOrderPlay, nullptr, nullptr) != 0) {
            return -1;
        }
        const std::optional<Clock::time_point> at = frames_.WaitAfter(seen);
        player_.SendOrder(kOrderStop, nullptr, nullptr);
        return at ? std::chrono::duration<double>(*at - start).count() : -1;
    }

private:
    QTemporaryDir folder_;
    std::shared_ptr<plat::video::VideoSurface> surface_;
    Frames frames_;
    TCorePlayer player_{nullptr};
};

BenchPlayer* player = nullptr;

double PlayOrderFirstFrame() {
    return player->PlayToFirstFrame();
}

// Seconds from building a playbin to the end of its preroll; negative on failure.
double PlaybinPreroll() {
    const Clock::time_point start = Clock::now();
    GstElement* playbin = gst_element_factory_make("playbin", nullptr);
    gchar* uri = gst_filename_to_uri(clipPath.c_str(), nullptr);
    g_object_set(playbin, "uri", uri, "video-sink", gst_element_factory_make("fakesink", nullptr),
                 "audio-sink", gst_element_factory_make("fakeaudiosink", nullptr), nullptr);
    g_free(uri);
    gst_element_set_state(playbin, GST_STATE_PAUSED);
    const bool prerolled =
        gst_element_get_state(playbin, nullptr, nullptr, 10 * GST_SECOND) == GST_STATE_CHANGE_SUCCESS;
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    gst_element_set_state(playbin, GST_STATE_NULL);
    gst_object_unref(playbin);
    return prerolled ? seconds : -1;
}

template <double (*Measure)()> void Run(benchmark::State& state) {
    for (auto _ : state) {
        const double seconds = Measure();
        if (seconds < 0) {
            state.SkipWithError(("no first frame from " + clipPath).c_str());
            break;
        }
        state.SetIterationTime(seconds);
    }
}

BENCHMARK(Run<PlayOrderFirstFrame>)
    ->Name("BM_PlayOrderFirstFrame")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(30);
BENCHMARK(Run<PlaybinPreroll>)
    ->Name("BM_PlaybinPreroll")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(30);

// The console report, keeping each benchmark's mean time for the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                means[run.run_name.function_name] = run.GetAdjustedRealTime();
            }
        }
    }
    std::map<std::string, double> means;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (argc > 1) {
        clipPath = argv[1];
    }
    QCoreApplication app(argc, argv);
    plat::media::EnsureGstInitialized();
    BenchPlayer bench;
    player = &bench;
    // Plug-in loading and the filter catalogue are paid once, before either side is timed.
    bench.PlayToFirstFrame();
    PlaybinPreroll();

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto ours = reporter.means.find("BM_PlayOrderFirstFrame");
    const auto peer = reporter.means.find("BM_PlaybinPreroll");
    if (ours != reporter.means.end() && peer != reporter.means.end() && peer->second > 0) {
        std::printf("BM_PlayOrderFirstFrame / BM_PlaybinPreroll: %.2f\n", ours->second / peer->second);
    }
    player = nullptr;
    benchmark::Shutdown();
    return 0;
}
