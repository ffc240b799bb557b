// The SubStation script reader against libass's ass_read_memory on the same generated 20,000-event
// Advanced SubStation script (UTF-8, override tags, several styles), and the writer's throughput.
#include "BenchScriptText.h"
#include "PeerRatioReporter.h"
#include "foundation/TMemoryObject.h"
#include "subtitles/scripts/TScriptControl.h"

#include <benchmark/benchmark.h>

extern "C" {
#include <ass/ass.h>
}

#include <cstdarg>
#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr int kEvents = 20000;

const std::string& Script() {
    static const std::string script = BenchScriptText("the benchmark script", kEvents);
    return script;
}

void BM_TScriptControlParse(benchmark::State& state) {
    const std::string& bytes = Script();
    for (auto _ : state) {
        TScriptControl script;
        if (!script.Parse(bytes, 0) || script.Events.Count != kEvents) {
            state.SkipWithError("the script was not read");
            break;
        }
        benchmark::DoNotOptimize(script.Events.Head);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
}

void BM_LibassReadMemory(benchmark::State& state) {
    const std::string& bytes = Script();
    ASS_Library* library = ass_library_init();
    ass_set_message_cb(
        library, [](int, const char*, va_list, void*) {}, nullptr); // no log per read
    std::vector<char> copy(bytes.begin(), bytes.end());
    for (auto _ : state) {
        copy.assign(bytes.begin(), bytes.end()); // libass may parse its buffer in place
        ASS_Track* track = ass_read_memory(library, copy.data(), copy.size(), nullptr);
        if (!track || track->n_events != kEvents) {
            state.SkipWithError("libass did not read the script");
            break;
        }
        benchmark::DoNotOptimize(track->events);
        ass_free_track(track);
    }
    ass_library_done(library);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
}

void BM_TScriptControlWrite(benchmark::State& state) {
    TScriptControl script;
    script.Parse(Script(), 0);
    TMemoryObject out(2048);
    for (auto _ : state) {
        script.Write(script.Styles, out);
        benchmark::DoNotOptimize(out.Data);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * out.Used);
    state.counters["events/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kEvents, benchmark::Counter::kIsRate);
}

BENCHMARK(BM_TScriptControlParse)->Apply(PeerRatioReporter::Repeated);
BENCHMARK(BM_LibassReadMemory)->Apply(PeerRatioReporter::Repeated);
BENCHMARK(BM_TScriptControlWrite)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return PeerRatioReporter::Main(argc, argv, {{"BM_TScriptControlParse", "BM_LibassReadMemory", 1.0}});
}
