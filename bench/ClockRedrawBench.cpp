// The cost of the subtitle clock's report per video frame: a player of the core shows a paused clip on
// its video surface through a 1920 x 1080 subtitle screen, and its page changes every 40 ms (a
// two-line subtitle with outline and shadow each frame, as a karaoke or a fast dialogue would). One
// report selects the page for its time and, when the page changed, rebuilds the subtitle picture and
// hands it to the surface; a report in an unchanged slot only selects. Against libass rendering the
// same subtitle at the same times onto a 1920 x 1080 frame.
#include "bench/BenchSubtitleStyle.h"
#include "bench/LibassFrame.h"
#include "core/include/VokradOrders.h"
#include "core/src/TCorePlayer.h"
#include "platform/video/SurfaceRendererFactory.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kFrameMs = 40;
constexpr int kEvents = 1500; // one minute of 40 ms subtitles
const std::string clipPath = std::string(MEDIA_FIXTURES) + "/quadrants.mp4";

std::string Line(int i) {
    return "Line " + std::to_string(i) + " of the dialogue, said quickly\\Nand its answer";
}

constexpr BenchSubtitleStyle kStyle{.pixelSize = 48, .alignment = 2, .marginV = 30};

std::string AssScript() {
    std::string script = kStyle.AssScriptHead(kWidth, kHeight);
    for (int i = 0; i < kEvents; ++i) {
        const int start = i * kFrameMs;
        char times[64];
        std::snprintf(times, sizeof times, "0:%02d:%02d.%02d,0:%02d:%02d.%02d", start / 60000,
                      start / 1000 % 60, start / 10 % 100, (start + kFrameMs) / 60000,
                      (start + kFrameMs) / 1000 % 60, (start + kFrameMs) / 10 % 100);
        script += "Dialogue: 0," + std::string(times) + ",Default,,0,0,0,," + Line(i) + "\n";
    }
    return script;
}

// Order 502's record: the order head, the total size again, then the page block.
std::vector<std::byte> PagesOrder() {
    std::vector<std::byte> order(sizeof(TOrderRecord) + 4 + kPageBlockHeadBytes);
    const std::uint32_t head[] = {kPageBlockHeadBytes, 1, kEvents};
    std::memcpy(order.data() + 12, head, sizeof head);
    for (int i = 0; i < kEvents; ++i) {
        BenchSubtitleStyle::AppendEventRecord(order, i * kFrameMs, (i + 1) * kFrameMs, kWidth, kHeight,
                                              Line(i));
    }
    const auto size = static_cast<std::uint32_t>(order.size());
    std::memcpy(order.data() + 4, &size, sizeof size);
    std::memcpy(order.data() + 8, &size, sizeof size);
    return order;
}

void PumpFor(int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

// A player of the core showing the paused clip with the page loaded and laid out.
class BenchPlayer {
public:
    BenchPlayer() {
        TEngineSetup setup;
        setup.videoSurface = surface_;
        setup.renderers = std::make_shared<plat::video::SurfaceRendererFactory>(
            surface_, plat::video::SurfaceRendererFactory::AudioOutput::Fake);
        setup.filterFolder = folder_.path().toStdString();
        player_.SetEngineSetup(std::move(setup));
        player_.SetScreenSize([] { return TScreenSize{kWidth, kHeight}; });
        player_.PlayStart();
        const std::u16string xgr = u"<GRAPH version=\"1.0\"><RENDERFILE Filename=\"" +
                                   std::u16string(clipPath.begin(), clipPath.end()) + u"\"/></GRAPH>";
        TOrderGraphDescription description{{0, sizeof(description)}, 1, xgr.c_str()};
        player_.SendOrder(kOrderGraphDescription, &description, nullptr);
        player_.SendOrder(kOrderPlay, nullptr, nullptr);
        PumpFor(300);
        player_.SendOrder(kOrderPauseToggle, nullptr, nullptr);
        player_.Screen()->TCoreWindow::Resize(kWidth, kHeight);

        TOrderStyles styles{{0, sizeof(styles)}, 4, {}};
        const TSubtitleStyleRecord style = kStyle.StyleRecord();
        std::memcpy(styles.style, &style, sizeof(style));
        player_.SendOrder(kOrderStyles, &styles, nullptr);
        styles.step = 3;
        player_.SendOrder(kOrderStyles, &styles, nullptr);
        std::vector<std::byte> pages = PagesOrder();
        player_.SendOrder(kOrderSubtitlePages, pages.data(), nullptr);
        TOrderProfileTitle title{{0, sizeof(title)}, 1};
        player_.SendOrder(kOrderProfileTitle, &title, nullptr);
        TOrderSubtitlesOn on{{0, sizeof(on)}, 1, {}};
        player_.SendOrder(kOrderSubtitlesOn, &on, nullptr);
        PumpFor(100); // the layout timer lays the page out for the screen
    }
    ~BenchPlayer() { player_.Close(); }

    bool Ready() const { return player_.Windowless() && surface_->FrameCount() > 0; }
    bool Report(std::int32_t ms) { return player_.ClockReport(ms); }
    std::uint64_t Frames() const { return surface_->FrameCount(); }

private:
    QTemporaryDir folder_;
    std::shared_ptr<plat::video::VideoSurface> surface_ = std::make_shared<plat::video::VideoSurface>();
    TCorePlayer player_{nullptr};
};

BenchPlayer* player = nullptr;

void BM_ReportNewPage(benchmark::State& state) {
    std::int32_t time = 0;
    std::int64_t redraws = 0;
    for (auto _ : state) {
        time = (time + kFrameMs) % (kEvents * kFrameMs);
        redraws += player->Report(time) ? 1 : 0;
    }
    state.counters["redraws"] =
        benchmark::Counter(static_cast<double>(redraws), benchmark::Counter::kAvgIterations);
}

void BM_ReportSamePage(benchmark::State& state) {
    player->Report(1000);
    std::int32_t time = 1000;
    for (auto _ : state) {
        time = time == 1000 ? 1010 : 1000;
        benchmark::DoNotOptimize(player->Report(time));
    }
}

void BM_LibassNewFrame(benchmark::State& state) {
    LibassFrame libass(AssScript(), kWidth, kHeight);
    QImage frame(kWidth, kHeight, QImage::Format_RGB32);
    frame.fill(QColor(40, 60, 90));
    long long time = 0;
    for (auto _ : state) {
        time = (time + kFrameMs) % (kEvents * kFrameMs);
        libass.DrawOnto(frame, time);
        benchmark::DoNotOptimize(frame.bits());
    }
}

BENCHMARK(BM_ReportNewPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportSamePage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LibassNewFrame)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TOVRIN_AUDIO_SINK", "fake");
    QGuiApplication app(argc, argv);
    QFontDatabase::addApplicationFont(LibassFrame::kFontFile);
    BenchPlayer bench;
    if (!bench.Ready()) {
        std::fprintf(stderr, "the clip did not play onto the surface: %s\n", clipPath.c_str());
        return 1;
    }
    player = &bench;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
