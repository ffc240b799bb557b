#include "core/src/engine/TStateWait.h"

bool TStateWait::WaitForState(TMediaControl& control, plat::media::FilterState wanted, const Clock& now,
                              std::chrono::milliseconds limit) {
    const auto deadline = now() + limit;
    for (;;) {
        plat::media::FilterState state = plat::media::FilterState::Stopped;
        const auto hr = control.GetState(kPoll, &state);
        if (hr == plat::media::S_OK && state == wanted) {
            return true;
        }
        if (now() >= deadline) {
            return false;
        }
    }
}
