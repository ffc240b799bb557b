// A loop-heavy command script against the same loop in Python 3, in one run: a user function doing
// integer arithmetic and text concatenation, called 100,000 times. The script language has no loop
// statement, so the script reaches its 100,000 calls through a recursion: one that halves the range
// (depth 17, a call and an "if" of its own per call of the function), and one that calls the function
// ten times a level (depth 5, a tenth of that overhead). Python runs a plain for loop, timed inside
// its own process (start-up excluded).
#include "player/scripting/ScriptResult.h"
#include "player/scripting/TScriptInterpreter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

constexpr int kCalls = 100000;

const std::u16string kWork = u"int total\n"
                             u"wstr last\n"
                             u"function work(int i) {\n"
                             u"total = (i * 7 + 3) / 2 + total\n"
                             u"last = \"item \" + inttostr(i) + \"!\"\n"
                             u"}\n";

const std::u16string kHalving = kWork + u"function range(int from, int count) {\n"
                                        u"if (count == 1) { work(from) } else {\n"
                                        u"int half\n"
                                        u"half = count / 2\n"
                                        u"range(from, half)\n"
                                        u"range(from + half, count - half)\n"
                                        u"}\n"
                                        u"}\n"
                                        u"range(0, 100000)\n"
                                        u"print(last)\n";

const std::u16string kTenfold = kWork + u"function ten(int from, int size) {\n"
                                        u"if (size == 10) {\n"
                                        u"work(from)\n"
                                        u"work(from + 1)\n"
                                        u"work(from + 2)\n"
                                        u"work(from + 3)\n"
                                        u"work(from + 4)\n"
                                        u"work(from + 5)\n"
                                        u"work(from + 6)\n"
                                        u"work(from + 7)\n"
                                        u"work(from + 8)\n"
                                        u"work(from + 9)\n"
                                        u"} else {\n"
                                        u"int step\n"
                                        u"step = size / 10\n"
                                        u"ten(step * 0 + from, step)\n"
                                        u"ten(step * 1 + from, step)\n"
                                        u"ten(step * 2 + from, step)\n"
                                        u"ten(step * 3 + from, step)\n"
                                        u"ten(step * 4 + from, step)\n"
                                        u"ten(step * 5 + from, step)\n"
                                        u"ten(step * 6 + from, step)\n"
                                        u"ten(step * 7 + from, step)\n"
                                        u"ten(step * 8 + from, step)\n"
                                        u"ten(step * 9 + from, step)\n"
                                        u"}\n"
                                        u"}\n"
                                        u"ten(0, 100000)\n"
                                        u"print(last)\n";

const char* const kPython = "import time\n"
                            "total = 0\n"
                            "last = ''\n"
                            "def work(i):\n"
                            "    global total, last\n"
                            "    total = (i * 7 + 3) // 2 + total\n"
                            "    last = 'item ' + str(i) + '!'\n"
                            "start = time.perf_counter()\n"
                            "for i in range(100000):\n"
                            "    work(i)\n"
                            "print((time.perf_counter() - start) * 1000, last)\n";

void RunLoop(benchmark::State& state, const std::u16string& script) {
    TScriptServices services;
    for (auto _ : state) {
        TScriptInterpreter interpreter(services);
        TScriptValue value;
        TScriptValue output;
        if (interpreter.RunScript(script, nullptr, value, &output) != script_result::kOk ||
            output.Text != u"item 99999!") {
            state.SkipWithError("the script did not run to its end");
            break;
        }
    }
    state.counters["calls/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kCalls, benchmark::Counter::kIsRate);
}

void BM_CommandScriptLoopHalving(benchmark::State& state) {
    RunLoop(state, kHalving);
}

void BM_CommandScriptLoopTenfold(benchmark::State& state) {
    RunLoop(state, kTenfold);
}

// Runs the loop in python3 and reports the time it measured itself.
void BM_Python3Loop(benchmark::State& state) {
    const std::string command = "python3 -c \"" + std::string(kPython) + "\"";
    for (auto _ : state) {
        const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
        double milliseconds = 0;
        char last[64] = {};
        if (!pipe || std::fscanf(pipe.get(), "%lf %63s", &milliseconds, last) != 2) {
            state.SkipWithError("python3 did not run");
            break;
        }
        state.SetIterationTime(milliseconds / 1000.0);
    }
    state.counters["calls/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kCalls, benchmark::Counter::kIsRate);
}

BENCHMARK(BM_CommandScriptLoopHalving)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommandScriptLoopTenfold)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Python3Loop)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

} // namespace

BENCHMARK_MAIN();
