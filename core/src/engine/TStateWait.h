#pragma once
// Waiting for a graph to settle in a state: the state is read with a short time-out until it is
// reached and no change is under way, but never longer than the limit, so a graph that cannot reach
// the state never holds the host's thread.
#include "core/src/engine/TMediaControl.h"

#include <chrono>
#include <functional>

class TStateWait {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    static constexpr std::chrono::milliseconds kPoll{20};
    static constexpr std::chrono::milliseconds kLimit{5000};

    // True when the state was reached within the limit, as `now` tells the time.
    static bool WaitForState(TMediaControl& control, plat::media::FilterState wanted, const Clock& now,
                             std::chrono::milliseconds limit = kLimit);
};
