// Decoding a 20,000-subtitle SAMI file through the decoder host and scr_dossa (reading the file and
// writing the script included), against ffmpeg converting the same file to ASS in one run; and the
// same at ten times the size, to show that decoding grows linearly. ffmpeg runs as a process, so
// both sides are timed by the wall clock.
#include "MarkupCorpus.h"

#include "subtitles/decoders/TPluginDecoderHost.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace {

constexpr int kCues = 20000;

// The SAMI files of kCues and 10 * kCues subtitles, in a folder removed at exit.
class TBenchFiles {
public:
    TBenchFiles() {
        std::string pattern = (std::filesystem::temp_directory_path() / "markupbench-XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data());
        for (const int cues : {kCues, 10 * kCues}) {
            const TCorpusFile file = SamiFile("bench.smi", {cues, 7, TCorpusEncoding::Utf8, true, true});
            std::ofstream(Path(cues), std::ios::binary) << file.Bytes;
        }
    }
    ~TBenchFiles() { std::filesystem::remove_all(folder_); }
    TBenchFiles(const TBenchFiles&) = delete;
    TBenchFiles& operator=(const TBenchFiles&) = delete;

    std::string Path(int cues) const { return folder_ + "/bench" + std::to_string(cues) + ".smi"; }
    std::string Output(const char* who, int cues) const {
        return folder_ + "/" + who + std::to_string(cues) + ".ass";
    }

private:
    std::string folder_;
};

const TBenchFiles& Files() {
    static const TBenchFiles files;
    return files;
}

TPluginDecoderHost& Host() {
    static TPluginDecoderHost host(MARKUP_SYSTEM_DIR);
    return host;
}

std::string ReadFile(const std::string& path) {
    std::ifstream input(path, std::ios::binary | std::ios::ate);
    std::string bytes(static_cast<std::size_t>(input.tellg()), '\0');
    input.seekg(0);
    input.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

void BM_ScrDossa(benchmark::State& state) {
    const int cues = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const std::string bytes = ReadFile(Files().Path(cues));
        std::string advanced;
        std::string text;
        if (!Host().Decode(bytes, u".smi", "", advanced, text)) {
            state.SkipWithError("scr_dossa did not decode the file");
            break;
        }
        std::ofstream(Files().Output("ours", cues), std::ios::binary) << text;
    }
}

// The decode alone, over bytes already in memory: how the decoding itself grows with the file.
void BM_ScrDossaInMemory(benchmark::State& state) {
    const int cues = static_cast<int>(state.range(0));
    const std::string bytes = ReadFile(Files().Path(cues));
    for (auto _ : state) {
        std::string advanced;
        std::string text;
        if (!Host().Decode(bytes, u".smi", "", advanced, text)) {
            state.SkipWithError("scr_dossa did not decode the file");
            break;
        }
        benchmark::DoNotOptimize(text.data());
    }
}

void BM_FfmpegToAss(benchmark::State& state) {
    const int cues = static_cast<int>(state.range(0));
    const std::string command = "ffmpeg -nostdin -v quiet -y -i " + Files().Path(cues) + " " +
                                Files().Output("ffmpeg", cues) + " >/dev/null 2>&1";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("ffmpeg did not convert the file");
            break;
        }
    }
}

BENCHMARK(BM_ScrDossa)
    ->Arg(kCues)
    ->Arg(10 * kCues)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5);
BENCHMARK(BM_ScrDossaInMemory)
    ->Arg(kCues)
    ->Arg(10 * kCues)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5);
BENCHMARK(BM_FfmpegToAss)
    ->Arg(kCues)
    ->Arg(10 * kCues)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5);

// Keeps the fastest repetition of each benchmark and prints the ratios after the table.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.iterations == 0) {
                continue;
            }
            const double ms = run.real_accumulated_time * 1e3 / static_cast<double>(run.iterations);
            const std::string name = run.run_name.function_name + "/" + run.run_name.args;
            auto found = fastest_.find(name);
            if (found == fastest_.end() || ms < found->second) {
                fastest_[name] = ms;
            }
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const auto time = [this](const std::string& name) {
            const auto found = fastest_.find(name);
            return found == fastest_.end() ? 0.0 : found->second;
        };
        const std::string small = "/" + std::to_string(kCues);
        const std::string large = "/" + std::to_string(10 * kCues);
        const double ours = time("BM_ScrDossa" + small);
        const double peer = time("BM_FfmpegToAss" + small);
        const double oursLarge = time("BM_ScrDossa" + large);
        const double memory = time("BM_ScrDossaInMemory" + small);
        const double memoryLarge = time("BM_ScrDossaInMemory" + large);
        if (ours > 0 && peer > 0) {
            std::printf("\nscr_dossa / ffmpeg, %d subtitles: %.3f (goal below 1.0)\n", kCues, ours / peer);
            std::printf("scr_dossa at 10x the file: %.2f times as long (linear: 10)\n", oursLarge / ours);
            std::printf("scr_dossa in memory at 10x the file: %.2f times as long (linear: 10)\n",
                        memoryLarge / memory);
        }
    }

private:
    std::map<std::string, double> fastest_;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
