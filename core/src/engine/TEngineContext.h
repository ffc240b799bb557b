#pragma once
// What the parts of the playback engine share: its window, its reports, the play state with the
// pending seek and the first-query flag, the current graph and what was located in it. Everything here
// lives on the host thread.
#include "core/src/engine/TEngineCallbacks.h"
#include "core/src/engine/TEngineGraph.h"
#include "core/src/engine/TStateWait.h"
#include "platform/win/Types.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace plat::dvd {
class DvdNavigator;
}

// Play states the engine stores.
enum class TPlayState : std::int32_t { NoGraph = 0, Stopped = 1, Paused = 3, Running = 5, Scanning = 6 };

// What locating the interfaces found in the graph.
struct TLocatedInterfaces {
    bool basicVideo = false;
    bool basicAudio = false;
    bool seeking = false;
    bool videoWindow = false;
    bool sampleGrabber = false;
    bool windowless = false;
};

class TEngineContext {
public:
    static constexpr std::int32_t kNoPendingSeek = -1;
    // The message that tells the engine window that graph events wait.
    static constexpr plat::win::UINT kGraphNotify = plat::win::WM_USER + 100;

    plat::win::HWND window = 0;
    TEngineCallbacks callbacks;
    TPlayState playState = TPlayState::NoGraph;
    std::int32_t pendingSeek = kNoPendingSeek;
    bool firstQuery = true;
    std::unique_ptr<TEngineGraph> graph;
    // The playback controls of the graph; null without one.
    TMediaControl* control = nullptr;
    TLocatedInterfaces located;
    // The graph's DVD navigator (its control and information); set, the engine is in DVD mode.
    plat::dvd::DvdNavigator* dvd = nullptr;
    // Set while the disc is in a menu domain, cleared in the title domain. The subtitle clock's redraw
    // reads it on its own thread.
    std::atomic<bool> inDvdMenu{false};
    // Set once the disc of the graph was announced (drive and identifier).
    bool dvdDiscAnnounced = false;
    std::optional<std::u16string> mediaName;
    TStateWait::Clock now = [] { return std::chrono::steady_clock::now(); };

    TMediaControl* Control() const { return control; }
    bool DvdMode() const { return dvd != nullptr; }
    // A new graph (or none) with its playback controls.
    void SetGraph(std::unique_ptr<TEngineGraph> newGraph) {
        graph = std::move(newGraph);
        control = graph ? &graph->Control() : nullptr;
    }

    // Errors raised while a graph is built are held back until the build has ended, so that the
    // player's reaction (stopping playback) never meets a half-built graph.
    void RaiseError(std::uint32_t kind, std::uint32_t value1, std::uint32_t value2);
    void RaiseStatus(std::uint32_t kind, std::uint32_t value1, std::uint32_t value2) const;
    void RaiseEvent(std::uint32_t kind, std::uint32_t value1, std::uint32_t value2) const;
    void BeginBuild() { building_ = true; }
    void EndBuild();

    // A new play state: the pending seek is cleared and status 15 follows.
    void ChangePlayState(TPlayState state);

private:
    struct THeldError {
        std::uint32_t kind, value1, value2;
    };
    bool building_ = false;
    std::vector<THeldError> held_;
};
