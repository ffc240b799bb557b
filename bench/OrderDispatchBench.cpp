// The round trip of Fct_SendOrder as a program makes it: System/vokrad.so loaded by name from the
// program folder, one player instance, orders sent through the bound export. There is no peer: no
// other program takes these orders; the figures are absolute.
#include "core/include/Vokrad.h"
#include "core/include/VokradOrders.h"
#include "platform/win/Library.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace win = plat::win;

namespace {

// The library and one instance, for the whole run.
class TLoadedCore {
public:
    TLoadedCore() {
        // The build's program folder sits beside the bench folder unless the caller names one.
        if (std::getenv("TOVRIN_PROGRAM_FOLDER") == nullptr) {
            ::setenv("TOVRIN_PROGRAM_FOLDER", (win::ProgramFolder() + "/../dist").c_str(), 1);
        }
        library_ = win::LoadLibrary("System\\vokrad.so");
        if (library_ == nullptr) {
            throw std::runtime_error(win::LastLibraryError());
        }
        Bind(start_, "DLL_Start");
        Bind(stop_, "DLL_Stop");
        Bind(create_, "Fct_CreatePlayerInstance");
        Bind(free_, "Fct_FreePlayerInstance");
        Bind(send_, "Fct_SendOrder");
        start_();
        instance_ = create_(0, "Test");
    }

    ~TLoadedCore() {
        free_(instance_, 0);
        stop_();
        win::FreeLibrary(library_);
    }

    int Send(std::uint32_t order, void* record, void** out) {
        return send_(instance_, 0, order, record, out);
    }

private:
    template <class F> void Bind(F& slot, const char* name) {
        slot = reinterpret_cast<F>(win::GetProcAddress(library_, name));
        if (slot == nullptr) {
            throw std::runtime_error(std::string("no export ") + name);
        }
    }

    win::HMODULE library_ = nullptr;
    TDLL_Start start_ = nullptr;
    TDLL_Stop stop_ = nullptr;
    TFct_CreatePlayerInstance create_ = nullptr;
    TFct_FreePlayerInstance free_ = nullptr;
    TFct_SendOrder send_ = nullptr;
    TCoreInstance* instance_ = nullptr;
};

TLoadedCore& Core() {
    static TLoadedCore core;
    return core;
}

void SendBare(benchmark::State& state, std::uint32_t order, int expected) {
    void* out = nullptr;
    for (auto _ : state) {
        const int answer = Core().Send(order, nullptr, &out);
        benchmark::DoNotOptimize(answer);
        if (answer != expected) {
            state.SkipWithError("unexpected answer");
            break;
        }
    }
}

template <class R> void SendRecord(benchmark::State& state, std::uint32_t order, R record, int expected) {
    void* out = nullptr;
    for (auto _ : state) {
        const int answer = Core().Send(order, &record, &out);
        benchmark::DoNotOptimize(answer);
        benchmark::ClobberMemory();
        if (answer != expected) {
            state.SkipWithError("unexpected answer");
            break;
        }
    }
}

TOrderGraphVariable TerminatedVariable() {
    TOrderGraphVariable record{{0, sizeof(record)}, {u"Source"}, {u"/media/movie.mkv"}};
    return record;
}

} // namespace

BENCHMARK_CAPTURE(SendBare, ping_999, kOrderPing, 0);
BENCHMARK_CAPTURE(SendBare, unknown_order_998, 998u, -1);
// The instance has its engine but no graph description: the build fails at once.
BENCHMARK_CAPTURE(SendBare, play_without_description_100, kOrderPlay, -1);
BENCHMARK_CAPTURE(SendRecord, play_state_301, kOrderPlayState,
                  TOrderPlayState{{0, sizeof(TOrderPlayState)}, 0}, 0);
BENCHMARK_CAPTURE(SendRecord, refused_size_301, kOrderPlayState,
                  TOrderPlayState{{0, sizeof(TOrderPlayState) - 1}, 0}, -1);
BENCHMARK_CAPTURE(SendRecord, volume_111, kOrderVolume, TOrderVolume{{0, sizeof(TOrderVolume)}, 0, 0, {}}, 0);
BENCHMARK_CAPTURE(SendRecord, display_mode_205, kOrderDisplayMode,
                  TOrderDisplayMode{{0, sizeof(TOrderDisplayMode)}, kDisplayModeAsk}, 0);
BENCHMARK_CAPTURE(SendRecord, locked_subtitle_offset_506, kOrderSubtitleOffset,
                  TOrderSubtitleOffset{{0, sizeof(TOrderSubtitleOffset)}, 250}, 0);
// The engine stores the variable, replacing it each round.
BENCHMARK_CAPTURE(SendRecord, graph_variable_texts_204, kOrderGraphVariable, TerminatedVariable(), 0);

// Programs that load the core run a Qt application; the engine's timers need one.
int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    std::printf("no peer: no other program takes these orders; the times are absolute\n");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
