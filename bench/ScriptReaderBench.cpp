// The SubStation script reader against libass's ass_read_memory on the same generated 20,000-event
// Advanced SubStation script (UTF-8, override tags, several styles), and the writer's throughput.
#include "PeerRatioReporter.h"
#include "foundation/TMemoryObject.h"
#include "subtitles/scripts/TScriptControl.h"

#include <benchmark/benchmark.h>

extern "C" {
#include <ass/ass.h>
}

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kEvents = 20000;

std::string Time(int ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d:%02d.%02d", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60,
                  ms / 10 % 100);
    return text;
}

std::string MakeScript() {
    std::string script =
        "[Script Info]\r\nTitle: Benchmark\r\nScriptType: v4.00+\r\nPlayResX: 1920\r\nPlayResY: 1080\r\n"
        "WrapStyle: 0\r\nTimer: 100.0000\r\n\r\n[V4+ Styles]\r\n"
        "Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, OutlineColour, BackColour, Bold, "
        "Italic, Underline, StrikeOut, ScaleX, ScaleY, Spacing, Angle, BorderStyle, Outline, Shadow, "
        "Alignment, MarginL, MarginR, MarginV, Encoding\r\n";
    const char* styles[] = {"Default", "Top", "Sign", "Karaoke"};
    for (const char* style : styles) {
        script += std::string("Style: ") + style +
                  ",DejaVu Sans,48,&H00FFFFFF,&H000000FF,&H00000000,&H80000000,0,0,0,0,100,100,0,0,1,2,2,2,"
                  "20,20,30,1\r\n";
    }
    script +=
        "\r\n[Events]\r\nFormat: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n";
    for (int i = 0; i < kEvents; ++i) {
        const int start = i * 1500;
        script += "Dialogue: " + std::to_string(i % 3) + "," + Time(start) + "," + Time(start + 1400) + "," +
                  styles[i % 4] + "," + (i % 5 == 0 ? "Narrator" : "") + ",0,0," + (i % 7 == 0 ? "40" : "0") +
                  ",,{\\i1}Line " + std::to_string(i) +
                  "{\\i0} of the benchmark script,\\Nwith a second line and {\\c&H00FFFF&}some colour\r\n";
    }
    return script;
}

const std::string& Script() {
    static const std::string script = MakeScript();
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
