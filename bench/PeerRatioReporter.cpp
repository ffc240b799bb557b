#include "PeerRatioReporter.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

double Minimum(const std::vector<double>& values) {
    return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
}

// Time per iteration of one repetition, in milliseconds.
double PerIteration(const benchmark::BenchmarkReporter::Run& run, double accumulatedSeconds) {
    return run.iterations == 0 ? 0.0 : accumulatedSeconds * 1e3 / static_cast<double>(run.iterations);
}

} // namespace

PeerRatioReporter::PeerRatioReporter(std::vector<Comparison> comparisons)
    : Comparisons(std::move(comparisons)) {}

void PeerRatioReporter::ReportRuns(const std::vector<Run>& runs) {
    std::vector<Run> aggregates;
    for (const Run& run : runs) {
        if (run.run_type == Run::RT_Aggregate) {
            aggregates.push_back(run);
        } else if (!run.error_occurred) {
            const Times times{PerIteration(run, run.cpu_accumulated_time),
                              PerIteration(run, run.real_accumulated_time)};
            const auto fastest = Fastest.try_emplace(run.run_name.function_name, times).first;
            fastest->second = {std::min(fastest->second.cpu, times.cpu),
                               std::min(fastest->second.wall, times.wall)};
        }
    }
    ConsoleReporter::ReportRuns(aggregates.empty() ? runs : aggregates);
}

void PeerRatioReporter::Finalize() {
    ConsoleReporter::Finalize();
    std::FILE* out = stdout;
    std::fprintf(out, "\nFastest of %d interleaved repetitions, time per iteration:\n", kRepetitions);
    for (const Comparison& c : Comparisons) {
        const auto ours = Fastest.find(c.ours);
        const auto peer = Fastest.find(c.peer);
        const auto time = [&c](const Times& times) { return c.wallClock ? times.wall : times.cpu; };
        if (ours == Fastest.end() || peer == Fastest.end() || time(peer->second) <= 0.0) {
            std::fprintf(out, "  %s / %s: not measured\n", c.ours.c_str(), c.peer.c_str());
            continue;
        }
        const double ratio = time(ours->second) / time(peer->second);
        std::fprintf(out, "  %s %.3f ms / %s %.3f ms = %.2f, %s time (goal at most %.2f: %s)\n",
                     c.ours.c_str(), time(ours->second), c.peer.c_str(), time(peer->second), ratio,
                     c.wallClock ? "wall-clock" : "CPU", c.goal, ratio <= c.goal ? "met" : "NOT MET");
    }
    std::fflush(out);
}

void PeerRatioReporter::Repeated(benchmark::internal::Benchmark* benchmark) {
    benchmark->Repetitions(kRepetitions)
        ->MinTime(kRepetitionSeconds)
        ->ComputeStatistics("min", Minimum)
        ->Unit(benchmark::kMillisecond);
}

int PeerRatioReporter::Main(int argc, char** argv, std::vector<Comparison> comparisons) {
    // The program's own arguments come last, so they can turn interleaving off again.
    std::vector<char*> args{argv[0], const_cast<char*>("--benchmark_enable_random_interleaving=true")};
    args.insert(args.end(), argv + 1, argv + argc);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) {
        return 1;
    }
    PeerRatioReporter reporter(std::move(comparisons));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
