#include "player/ui/TMouseFunctions.h"

#include "player/model/settings/Tag_PlayerConfig.h"
#include "player/ui/TMainActions.h"

#include <QAction>

#include <chrono>

namespace {

struct TWheelFunction {
    std::string_view up;
    std::string_view down;
};
// Indexed by MouseWheelFunction 1 to 3.
constexpr TWheelFunction kThrottled[] = {
    {"Ac_NextChapter", "Ac_PrevChapter"},
    {"Ac_FastForward", "Ac_FastBack"},
    {"Ac_JumpForward", "Ac_JumpBackward"},
};
constexpr std::string_view kDoubleClick[] = {"Ac_BringToFront", "Ac_SwitchFullScreen", "Ac_Pause"};

int64_t SteadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

TMouseFunctions::TMouseFunctions(TMainActions& actions, std::function<bool()> closing, Clock clock)
    : actions_(actions), closing_(std::move(closing)), clock_(clock ? std::move(clock) : Clock(&SteadyMs)) {}

void TMouseFunctions::Run(std::string_view name) {
    if (QAction* action = actions_.Find(name)) {
        action->trigger();
    }
}

void TMouseFunctions::Wheel(bool up) {
    if (closing_ && closing_()) {
        return;
    }
    const int32_t function = PlayerConfig().MouseWheelFunction;
    if (function == 0) {
        Run(up ? "Ac_VolumeMore" : "Ac_VolumeLess");
        return;
    }
    if (function < 1 || function > static_cast<int32_t>(std::size(kThrottled))) {
        return;
    }
    std::optional<int64_t>& last = up ? lastUp_ : lastDown_;
    const int64_t now = clock_();
    if (last && now - *last <= kWheelInterval) {
        return;
    }
    last = now;
    const TWheelFunction& entry = kThrottled[function - 1];
    Run(up ? entry.up : entry.down);
}

void TMouseFunctions::RunDoubleClickFunction() {
    const int32_t function = PlayerConfig().DoubleClickFunction;
    if (function >= 0 && function < static_cast<int32_t>(std::size(kDoubleClick))) {
        Run(kDoubleClick[function]);
    }
}
