// Time to the first picture of clip.mp4: a media graph rendering the file into a video surface (our
// renderer factory, audio to fakeaudiosink) until the surface holds the first frame, against a plain
// playbin prerolling the same file into fakesink and fakeaudiosink; the graph's whole preroll is timed
// too. Each iteration builds the pipeline, starts it and, outside the timing, tears it down. The ratios
// of the means to the playbin's are printed at the end.
#include "platform/media/FilterCatalogue.h"
#include "platform/media/GstInit.h"
#include "platform/media/MediaGraph.h"
#include "platform/video/SurfaceRendererFactory.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
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

// The moment the surface was told of its first frame.
class FirstFrame {
public:
    explicit FirstFrame(plat::video::VideoSurface& surface) : surface_(surface) {
        id_ = surface.AddFrameListener([this](const plat::video::VideoFrame&) {
            std::lock_guard lock(mutex_);
            if (!at_) {
                at_ = Clock::now();
            }
            arrived_.notify_all();
        });
    }
    ~FirstFrame() { surface_.RemoveFrameListener(id_); }
    FirstFrame(const FirstFrame&) = delete;
    FirstFrame& operator=(const FirstFrame&) = delete;
    std::optional<Clock::time_point> Wait() {
        std::unique_lock lock(mutex_);
        arrived_.wait_for(lock, kDeadline, [&] { return at_.has_value(); });
        return at_;
    }

private:
    plat::video::VideoSurface& surface_;
    plat::video::VideoSurface::ListenerId id_ = 0;
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::optional<Clock::time_point> at_;
};

const plat::media::FilterCatalogue& Catalogue() {
    static const plat::media::FilterCatalogue catalogue;
    return catalogue;
}

// Seconds from building the graph to the first frame on the surface; negative on failure.
double SurfaceFirstFrame() {
    const Clock::time_point start = Clock::now();
    auto surface = std::make_shared<plat::video::VideoSurface>();
    FirstFrame first(*surface);
    plat::video::SurfaceRendererFactory renderers(surface,
                                                  plat::video::SurfaceRendererFactory::AudioOutput::Fake);
    plat::media::MediaGraph graph(Catalogue(), renderers);
    if (plat::media::Failed(graph.RenderFile(clipPath)) ||
        gst_element_set_state(graph.Pipeline(), GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE) {
        return -1;
    }
    const std::optional<Clock::time_point> at = first.Wait();
    return at ? std::chrono::duration<double>(*at - start).count() : -1;
}

// Seconds from building the graph to the end of its preroll (every renderer holds its first buffer), as
// the playbin's preroll counts; negative on failure.
double SurfacePreroll() {
    const Clock::time_point start = Clock::now();
    auto surface = std::make_shared<plat::video::VideoSurface>();
    plat::video::SurfaceRendererFactory renderers(surface,
                                                  plat::video::SurfaceRendererFactory::AudioOutput::Fake);
    plat::media::MediaGraph graph(Catalogue(), renderers);
    if (plat::media::Failed(graph.RenderFile(clipPath)) || plat::media::Failed(graph.Preroll(kDeadline))) {
        return -1;
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
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

BENCHMARK(Run<SurfaceFirstFrame>)
    ->Name("BM_SurfaceFirstFrame")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(30);
BENCHMARK(Run<SurfacePreroll>)
    ->Name("BM_SurfacePreroll")
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
    plat::media::EnsureGstInitialized();
    // Plug-in loading and the catalogue are paid once, before either side is timed.
    Catalogue();
    SurfaceFirstFrame();
    PlaybinPreroll();

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto peer = reporter.means.find("BM_PlaybinPreroll");
    for (const char* ours : {"BM_SurfaceFirstFrame", "BM_SurfacePreroll"}) {
        const auto mean = reporter.means.find(ours);
        if (mean != reporter.means.end() && peer != reporter.means.end() && peer->second > 0) {
            std::printf("%s / BM_PlaybinPreroll: %.2f\n", ours, mean->second / peer->second);
        }
    }
    benchmark::Shutdown();
    return 0;
}
