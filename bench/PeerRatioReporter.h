#pragma once
// Runs a benchmark program that measures the system's code against peers on the same input, and
// prints, after the usual table, the ratio of the system's time to each peer's. Every benchmark runs
// kRepetitions times, the repetitions of all benchmarks interleaved at random, so that load on the
// machine falls on all of them alike; a ratio compares the fastest repetitions (CPU time per
// iteration, or wall-clock time for what runs in other processes), which load can only make slower,
// never faster.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class PeerRatioReporter : public benchmark::ConsoleReporter {
public:
    static constexpr int kRepetitions = 15;
    // Time one repetition runs for at least, in seconds.
    static constexpr double kRepetitionSeconds = 0.1;

    // One ratio to print: the benchmark of the system's code, the peer's, and the highest ratio the
    // system's code aims at.
    struct Comparison {
        std::string ours;
        std::string peer;
        double goal;
        bool wallClock = false; // the benchmarks time child processes: their own CPU time is not ours
    };

    explicit PeerRatioReporter(std::vector<Comparison> comparisons);

    // Shows the aggregates of repeated benchmarks (median, minimum, ...), unrepeated ones as they ran,
    // and keeps each benchmark's fastest repetition.
    void ReportRuns(const std::vector<Run>& runs) override;
    // Prints the ratios.
    void Finalize() override;

    // Repeats the benchmark for the comparison and adds the minimum to its aggregates (for Apply).
    static void Repeated(benchmark::internal::Benchmark* benchmark);
    // Runs the program's benchmarks (with its command line, which may override the repetitions)
    // with random interleaving, and prints the comparisons.
    static int Main(int argc, char** argv, std::vector<Comparison> comparisons);

private:
    std::vector<Comparison> Comparisons;
    struct Times {
        double cpu; // per iteration, in ms
        double wall;
    };
    std::map<std::string, Times> Fastest; // benchmark name -> fastest repetition
};
