// The wave reader against sox on the same span of the same file: opening a 20-second portion at the
// middle of a 48 kHz 16-bit stereo file and building the display's envelope from it, for a file of one
// minute and one of two hours (the time and the resident memory must not grow with the file). Also
// the redraw of a 1920-pixel wide wave view of both channels that follows playback.
#include "PeerRatioReporter.h"
#include "editor/wave/TWaveViewer.h"

#include <QImage>
#include <QPainter>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int32_t kPortionMs = 20000;
constexpr int32_t kBytesPerSecond = 48000 * 4;

// The two files, made once per run in a folder of the run's own and removed at exit.
class BenchFiles {
public:
    BenchFiles() {
        const char* temp = std::getenv("TMPDIR");
        folder_ = std::filesystem::path(temp != nullptr ? temp : "/tmp") /
                  ("wave-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
        const std::string minute = Path(1);
        const std::string command =
            "ffmpeg -nostdin -loglevel error -y -f lavfi -i "
            "\"sine=frequency=440:sample_rate=48000:duration=60\" -ac 2 -c:a pcm_s16le " +
            minute;
        ok_ = std::system(command.c_str()) == 0 && Repeat(minute, Path(120), 120);
    }
    ~BenchFiles() { std::filesystem::remove_all(folder_); }
    bool Ok() const { return ok_; }
    std::string Path(int minutes) const { return (folder_ / (std::to_string(minutes) + "min.wav")).string(); }

private:
    // A file of the minute's audio `times` over: its 44-byte header with the sizes grown, then the data.
    static bool Repeat(const std::string& from, const std::string& to, int times) {
        std::ifstream in(from, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
        const std::string_view text(bytes.data(), bytes.size());
        const std::size_t dataAt = text.find("data");
        if (dataAt == std::string_view::npos) {
            return false;
        }
        const std::size_t dataStart = dataAt + 8;
        const std::uint32_t dataSize = static_cast<std::uint32_t>(bytes.size() - dataStart) * times;
        std::vector<char> header(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(dataStart));
        const std::uint32_t riffSize = static_cast<std::uint32_t>(header.size() - 8) + dataSize;
        std::memcpy(header.data() + 4, &riffSize, 4);
        std::memcpy(header.data() + dataAt + 4, &dataSize, 4);
        std::ofstream out(to, std::ios::binary);
        out.write(header.data(), static_cast<std::streamsize>(header.size()));
        for (int i = 0; i < times; ++i) {
            out.write(bytes.data() + dataStart, static_cast<std::streamsize>(bytes.size() - dataStart));
        }
        return static_cast<bool>(out);
    }

    std::filesystem::path folder_;
    bool ok_ = false;
};

BenchFiles& Files() {
    static BenchFiles files;
    return files;
}

// The middle of the file, at an odd millisecond.
int32_t PortionStartMs(int minutes) {
    return minutes * 30000 + 333;
}

double ResidentMegabytes() {
    long pages = 0;
    long resident = 0;
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm != nullptr) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void ViewerPortion(benchmark::State& state, int minutes) {
    if (!Files().Ok()) {
        state.SkipWithError("the bench files could not be made (ffmpeg)");
        return;
    }
    const std::string path = Files().Path(minutes);
    const std::u16string widePath(path.begin(), path.end());
    uint32_t points = 0;
    for (auto _ : state) {
        TWaveViewer viewer;
        if (viewer.Open(widePath.c_str(), PortionStartMs(minutes), kPortionMs) != 1) {
            state.SkipWithError("the portion did not open");
            break;
        }
        points = viewer.Header().PointCount;
        benchmark::DoNotOptimize(points);
    }
    state.counters["points"] = points;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kBytesPerSecond * (kPortionMs / 1000));
    state.counters["rss_MB"] = ResidentMegabytes();
}

// sox reads the span in a process of its own: its start is part of its time (see BM_SoxStart).
void SoxPortion(benchmark::State& state, int minutes, int32_t spanMs) {
    if (!Files().Ok()) {
        state.SkipWithError("the bench files could not be made (ffmpeg)");
        return;
    }
    const std::string command = "sox " + Files().Path(minutes) + " -t raw /dev/null trim " +
                                std::to_string(PortionStartMs(minutes) / 1000.0) + " " +
                                std::to_string(spanMs / 1000.0) + " 2>/dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("sox did not read the span");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kBytesPerSecond * spanMs / 1000);
}

void BM_ViewerPortion1Minute(benchmark::State& state) {
    ViewerPortion(state, 1);
}
void BM_ViewerPortion2Hours(benchmark::State& state) {
    ViewerPortion(state, 120);
}
void BM_SoxPortion1Minute(benchmark::State& state) {
    SoxPortion(state, 1, kPortionMs);
}
void BM_SoxPortion2Hours(benchmark::State& state) {
    SoxPortion(state, 120, kPortionMs);
}
// sox on one millisecond of the same file: its start and set-up without the reading.
void BM_SoxStart(benchmark::State& state) {
    SoxPortion(state, 1, 1);
}

// Both channels of the 20 s the display holds, 1920 pixels wide, the scroll moving 50 ms a redraw
// as the follow timer moves it; argument: the zoom.
void BM_RedrawFollowing1920(benchmark::State& state) {
    const std::string path = Files().Path(1);
    const std::u16string widePath(path.begin(), path.end());
    TWaveViewer viewer;
    if (!Files().Ok() || viewer.Open(widePath.c_str(), 0, kPortionMs) != 1) {
        state.SkipWithError("the envelope could not be built");
        return;
    }
    const double zoom = static_cast<double>(state.range(0));
    QImage image(1920, 300, QImage::Format_RGB32);
    int32_t scroll = 0;
    for (auto _ : state) {
        image.fill(Qt::gray);
        QPainter painter(&image);
        viewer.PaintChannel(painter, 1, scroll, 2, 1, 1918, 139, zoom);
        viewer.PaintChannel(painter, 2, scroll, 2, 141, 1918, 279, zoom);
        scroll = scroll + 50 > kPortionMs ? 0 : scroll + 50;
    }
}

BENCHMARK(BM_ViewerPortion1Minute)->Apply(PeerRatioReporter::Repeated);
BENCHMARK(BM_SoxPortion1Minute)->Apply(PeerRatioReporter::Repeated);
BENCHMARK(BM_ViewerPortion2Hours)->Apply(PeerRatioReporter::Repeated);
BENCHMARK(BM_SoxPortion2Hours)->Apply(PeerRatioReporter::Repeated);
BENCHMARK(BM_SoxStart)->Apply(PeerRatioReporter::Repeated);
BENCHMARK(BM_RedrawFollowing1920)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return PeerRatioReporter::Main(argc, argv,
                                   {{"BM_ViewerPortion1Minute", "BM_SoxPortion1Minute", 0.5, true},
                                    {"BM_ViewerPortion2Hours", "BM_SoxPortion2Hours", 0.5, true}});
}
