// Draws one 1920 x 1080 frame of a 50-event page with outlines (2) and shadows (1) and blends it onto
// the video frame: our page renderer into a transparent picture composed over the frame, against
// libass (ass_render_frame, then its images blended onto the frame) on the same script. Steady redraws
// of an unchanged page, as the clock's redraw does, and a first frame of a page that was just loaded.
// Set RENDER_BENCH_DUMP to a folder to write both frames as PNG files.
#include "bench/BenchSubtitleStyle.h"
#include "bench/LibassFrame.h"
#include "core/src/pages/TPageRenderer.h"
#include "core/src/pages/TSubDisplay.h"
#include "platform/gdi/ImageDc.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kEvents = 50;
constexpr const char* kFontFile = LibassFrame::kFontFile;

// The text of event i and its top-left corner: five columns of ten rows.
std::string EventText(int i) {
    const int x = 20 + (i % 5) * 380;
    const int y = 20 + (i / 5) * 105;
    return "{\\an7\\pos(" + std::to_string(x) + "," + std::to_string(y) + ")}Line " + std::to_string(i) +
           " of the page\\Nwith {\\c&H00FFFF&}colour";
}

constexpr BenchSubtitleStyle kStyle{.pixelSize = 36, .alignment = 7, .marginV = 10};

std::string AssScript() {
    std::string script = kStyle.AssScriptHead(kWidth, kHeight);
    for (int i = 0; i < kEvents; ++i) {
        script += "Dialogue: 0,0:00:00.00,0:01:00.00,Default,,0,0,0,," + EventText(i) + "\n";
    }
    return script;
}

// The page block (head, key, count, records) as order 502 carries it from offset 12.
std::vector<std::byte> OurPage() {
    std::vector<std::byte> block(kPageBlockHeadBytes);
    const std::uint32_t head[] = {kPageBlockHeadBytes, 1, kEvents};
    std::memcpy(block.data(), head, sizeof head);
    for (int i = 0; i < kEvents; ++i) {
        BenchSubtitleStyle::AppendEventRecord(block, 0, 60000, kWidth, kHeight, EventText(i));
    }
    return block;
}

const QColor kVideoColour(40, 60, 90);

QImage VideoFrame() {
    QImage frame(kWidth, kHeight, QImage::Format_RGB32);
    frame.fill(kVideoColour);
    return frame;
}

// Whether the page was drawn on the frame: at least a hundred pixels of each event's text changed.
bool PageDrawn(const QImage& frame) {
    const QRgb video = kVideoColour.rgb();
    long changed = 0;
    for (int y = 0; y < frame.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
        for (int x = 0; x < frame.width(); ++x) {
            changed += line[x] != video ? 1 : 0;
        }
    }
    return changed >= 100L * kEvents;
}

// Draws one frame before the timing and checks that it shows the page; false (the benchmark skipped
// with an error) when nothing was drawn.
template <class Draw> bool DrawsThePage(benchmark::State& state, Draw draw) {
    QImage frame = VideoFrame();
    draw(frame);
    if (!PageDrawn(frame)) {
        state.SkipWithError("nothing of the page was drawn");
        return false;
    }
    return true;
}

class OurRenderer {
public:
    OurRenderer() : page_(OurPage()) {
        display_.SetLayouter(std::make_unique<TPageRenderer>());
        display_.SetStyle(kStyle.StyleRecord());
        display_.SetEnabled(true, true);
        TSubScreenControler mapping(TScreenSize{kWidth, kHeight});
        mapping.SetFrameRect(0, 0, kWidth, kHeight);
        mapping.SetAreaRect(0, 0, kWidth, kHeight);
        mapping.ComputeRects();
        display_.RenderAll(&mapping, true);
        Load();
    }
    void Load() {
        display_.SetBlock(1, page_);
        display_.SelectBlock(1);
        display_.SetTime(1000);
    }
    // Clears what the last frame drew, draws the page, and composes only what it drew.
    void DrawOnto(QImage& frame) {
        {
            QPainter clear(&overlay_);
            clear.setCompositionMode(QPainter::CompositionMode_Source);
            clear.fillRect(drawn_, Qt::transparent);
        }
        plat::gdi::Rect bounds;
        {
            plat::gdi::ImageDc dc(overlay_);
            display_.Paint(&dc, false, nullptr);
            bounds = dc.PaintedBounds();
        }
        drawn_ = QRect(bounds.left, bounds.top, bounds.Width(), bounds.Height());
        QPainter painter(&frame);
        painter.drawImage(drawn_.topLeft(), overlay_, drawn_);
    }

private:
    std::vector<std::byte> page_;
    TSubDisplay display_;
    QImage overlay_ = [] {
        QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        return image;
    }();
    QRect drawn_;
};

class LibassRenderer : public LibassFrame {
public:
    LibassRenderer() : LibassFrame(AssScript(), kWidth, kHeight) {}
};

void BM_OurRedraw(benchmark::State& state) {
    OurRenderer renderer;
    if (!DrawsThePage(state, [&](QImage& frame) { renderer.DrawOnto(frame); })) {
        return;
    }
    QImage frame = VideoFrame();
    for (auto _ : state) {
        renderer.DrawOnto(frame);
        benchmark::DoNotOptimize(frame.bits());
    }
}

// Alternating times make libass render each frame anew; its glyph and outline caches stay warm.
void BM_LibassRedraw(benchmark::State& state) {
    LibassRenderer renderer;
    if (!DrawsThePage(state, [&](QImage& frame) { renderer.DrawOnto(frame, 1000); })) {
        return;
    }
    QImage frame = VideoFrame();
    long long time = 1000;
    for (auto _ : state) {
        renderer.DrawOnto(frame, time);
        time = time == 1000 ? 1001 : 1000;
        benchmark::DoNotOptimize(frame.bits());
    }
}

// The page loaded (and laid out) again before each frame.
void BM_OurFirstFrame(benchmark::State& state) {
    OurRenderer renderer;
    if (!DrawsThePage(state, [&](QImage& frame) { renderer.DrawOnto(frame); })) {
        return;
    }
    QImage frame = VideoFrame();
    for (auto _ : state) {
        renderer.Load();
        renderer.DrawOnto(frame);
        benchmark::DoNotOptimize(frame.bits());
    }
}

// The script read again before each frame (the renderer and its font stay).
void BM_LibassFirstFrame(benchmark::State& state) {
    LibassRenderer renderer;
    if (!DrawsThePage(state, [&](QImage& frame) { renderer.DrawOnto(frame, 1000); })) {
        return;
    }
    QImage frame = VideoFrame();
    for (auto _ : state) {
        renderer.Load();
        renderer.DrawOnto(frame, 1000);
        benchmark::DoNotOptimize(frame.bits());
    }
}

BENCHMARK(BM_OurRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibassRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OurFirstFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibassFirstFrame)->Unit(benchmark::kMillisecond);

void DumpFrames(const char* folder) {
    QImage ours = VideoFrame();
    OurRenderer().DrawOnto(ours);
    ours.save(QString::fromUtf8(folder) + "/ours.png");
    QImage theirs = VideoFrame();
    LibassRenderer().DrawOnto(theirs, 1000);
    theirs.save(QString::fromUtf8(folder) + "/libass.png");
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QFontDatabase::addApplicationFont(kFontFile);
    if (const char* folder = std::getenv("RENDER_BENCH_DUMP")) {
        DumpFrames(folder);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
