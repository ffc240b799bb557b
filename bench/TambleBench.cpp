// scr_tamble's decoding of a 50,000-cue SubRip file against ffmpeg converting the same file to ASS,
// and the decoding of files from 20,000 to 500,000 cues, to show that decoding grows linearly: the
// growth ratios at 5 and 10 times the file are printed. Both sides are measured in CPU time: ours in
// this process, ffmpeg's in its child process (start-up included, as a conversion costs it). The
// fastest of several repetitions counts.
#include "plugins/decoders/support/ScrExports.h"
#include "plugins/decoders/tamble/TTambleDecoder.h"
#include "plugins/decoders/tamble/tests/SubtitleCorpus.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>

namespace {

constexpr int kCues = 50000;
// File sizes in cues; each growth ratio compares a size with the one five or ten times smaller.
constexpr int kSizes[] = {20000, 50000, 100000, 250000, 500000};
struct Growth {
    int Small;
    int Large;
};
constexpr Growth kGrowths[] = {{20000, 100000}, {50000, 250000}, {100000, 500000}, {50000, 500000}};

const std::string& SubRip(int cues) {
    static std::map<int, std::string> files;
    auto& text = files[cues];
    if (text.empty()) {
        text = corpus::SubRip(corpus::Cues(cues, 5, corpus::Alphabet::Latin, true), "\r\n", true);
    }
    return text;
}

std::filesystem::path TempFile(const std::string& name) {
    return std::filesystem::temp_directory_path() / ("tamble-bench-" + std::to_string(getpid()) + "-" + name);
}

double ProcessCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double ChildrenCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

TTambleDecoder& Decoder() {
    static TTambleDecoder decoder;
    static const bool loaded = decoder.LoadFolder(TAMBLE_SDF_DIR) > 0;
    if (!loaded) {
        std::fprintf(stderr, "no definitions in %s\n", TAMBLE_SDF_DIR);
        std::exit(1);
    }
    return decoder;
}

void BM_TambleDecode(benchmark::State& state) {
    const std::string& file = SubRip(static_cast<int>(state.range(0)));
    TTambleDecoder& decoder = Decoder();
    for (auto _ : state) {
        const double start = ProcessCpuSeconds();
        void* text = nullptr;
        int32_t size = 0;
        if (decoder.Decode(file.data(), static_cast<int32_t>(file.size()), nullptr, &text, &size, nullptr,
                           nullptr) != 1) {
            state.SkipWithError("not decoded");
            break;
        }
        scr::FreeHandedOut(&text, nullptr);
        state.SetIterationTime(ProcessCpuSeconds() - start);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(file.size()));
}

void BM_FfmpegToAss(benchmark::State& state) {
    const std::filesystem::path input = TempFile("in.srt");
    const std::filesystem::path output = TempFile("out.ass");
    std::ofstream(input, std::ios::binary) << SubRip(static_cast<int>(state.range(0)));
    const std::string command =
        "ffmpeg -nostdin -loglevel error -y -i '" + input.string() + "' '" + output.string() + "'";
    for (auto _ : state) {
        const double start = ChildrenCpuSeconds();
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("ffmpeg failed");
            break;
        }
        state.SetIterationTime(ChildrenCpuSeconds() - start);
    }
    std::filesystem::remove(input);
    std::filesystem::remove(output);
}

BENCHMARK(BM_TambleDecode)
    ->Apply([](benchmark::internal::Benchmark* b) {
        for (const int cues : kSizes) {
            b->Arg(cues);
        }
    })
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FfmpegToAss)->Arg(kCues)->UseManualTime()->Unit(benchmark::kMillisecond);

// Keeps the fastest repetition of each benchmark and prints the ratios after the table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0 && !run.error_occurred) {
                const double ms = run.real_accumulated_time * 1e3 / static_cast<double>(run.iterations);
                auto [it, added] = Fastest.emplace(run.run_name.str(), ms);
                it->second = added ? ms : std::min(it->second, ms);
            }
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        Print("scr_tamble / ffmpeg (goal < 1.0)", Decode(kCues), "BM_FfmpegToAss/50000/manual_time");
        for (const Growth& g : kGrowths) {
            const std::string what = std::to_string(g.Large) + " cues / " + std::to_string(g.Small) +
                                     " cues (linear: about " + std::to_string(g.Large / g.Small) + ")";
            Print(what.c_str(), Decode(g.Large), Decode(g.Small));
        }
        for (const int cues : kSizes) {
            if (Fastest.count(Decode(cues)) != 0) {
                std::printf("%d cues: %.2f us per cue\n", cues, Fastest[Decode(cues)] * 1e3 / cues);
            }
        }
    }

private:
    static std::string Decode(int cues) { return "BM_TambleDecode/" + std::to_string(cues) + "/manual_time"; }

    void Print(const char* what, const std::string& top, const std::string& bottom) {
        if (Fastest.count(top) == 0 || Fastest.count(bottom) == 0 || Fastest[bottom] <= 0.0) {
            std::printf("%s: not measured\n", what);
            return;
        }
        std::printf("%s: %.3f (%.1f ms / %.1f ms)\n", what, Fastest[top] / Fastest[bottom], Fastest[top],
                    Fastest[bottom]);
    }

    std::map<std::string, double> Fastest;
};

} // namespace

int main(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    // Repetitions of all sizes interleaved at random, so that changing load on the machine falls on
    // all of them alike.
    std::string repetitions = "--benchmark_repetitions=7";
    std::string interleaving = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, {repetitions.data(), interleaving.data()});
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
