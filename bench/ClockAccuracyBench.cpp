// Runs the subtitle clock counting on the real clocks for a while (seconds as the first argument,
// default 30) and compares it with CLOCK_MONOTONIC: the drift of the clock's time at the end, and how
// late each report came after the moment its time stands for. Goals: drift under 5 ms, no report
// later than 10 ms. There is no peer program: the system's monotonic clock is the reference.
#include "core/src/TSteadyClockSource.h"
#include "core/src/TSubTimer.h"

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <vector>

namespace {

double MonotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct Report {
    std::int32_t time;
    double atMs;
};

} // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    std::printf("no peer: the subtitle clock against CLOCK_MONOTONIC, with absolute goals\n");
    std::vector<Report> reports;
    reports.reserve(static_cast<std::size_t>(seconds) * 200 + 100);

    auto lock = std::make_shared<std::recursive_mutex>();
    auto clock =
        std::make_unique<TSubTimer>(nullptr, lock, TSteadyClockSource::Shared(), [&](std::int32_t time) {
            if (reports.size() < reports.capacity()) {
                reports.push_back({time, MonotonicMs()});
            }
        });
    clock->Resume();
    const double start = MonotonicMs();
    clock->SetCounting(true);

    timespec pause{seconds, 0};
    while (clock_nanosleep(CLOCK_MONOTONIC, 0, &pause, &pause) != 0) {
    }

    double elapsed = 0;
    std::int32_t time = 0;
    {
        const std::lock_guard subtitles(*lock);
        time = clock->GetTime();
        elapsed = MonotonicMs() - start;
    }
    TSubTimer::Dispose(std::move(clock));

    // Lateness: how long after the moment a reported time stands for the report came. Its trend from
    // the first second to the last is the clock's drift; the time read at the end also lags by the
    // part of a step that had passed since the last one.
    double worst = 0;
    double sum = 0;
    std::size_t skipped = 0;
    double firstSum = 0;
    double lastSum = 0;
    std::size_t firstCount = 0;
    std::size_t lastCount = 0;
    for (std::size_t i = 0; i < reports.size(); ++i) {
        const double late = reports[i].atMs - start - reports[i].time;
        worst = std::max(worst, late);
        sum += late;
        if (reports[i].time <= 1000) {
            firstSum += late;
            ++firstCount;
        } else if (reports[i].time > elapsed - 1000) {
            lastSum += late;
            ++lastCount;
        }
        const std::int32_t previous = i == 0 ? 0 : reports[i - 1].time;
        skipped += static_cast<std::size_t>((reports[i].time - previous) / TSubTimer::kRoundingMs - 1);
    }
    const double drift = firstCount == 0 || lastCount == 0 ? 0 : lastSum / lastCount - firstSum / firstCount;
    std::printf("clock accuracy over %d s: %zu reports (%zu 10 ms steps skipped)\n", seconds, reports.size(),
                skipped);
    std::printf("  drift (mean lateness of the last second minus the first): %+.3f ms  goal < 5 ms: %s\n",
                drift, std::abs(drift) < 5 ? "met" : "MISSED");
    std::printf("  clock read at the end: %d ms at CLOCK_MONOTONIC %.3f ms (behind by %.3f ms)\n", time,
                elapsed, elapsed - time);
    std::printf("  lateness of a report: worst %.3f ms, mean %.3f ms  goal <= 10 ms: %s\n", worst,
                reports.empty() ? 0.0 : sum / static_cast<double>(reports.size()),
                worst <= 10 ? "met" : "MISSED");
    return 0;
}
