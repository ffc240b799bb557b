#include "plugins/remote/orvik/SystemSleepClock.h"

#include <chrono>
#include <thread>

namespace orvik {

void SystemSleepClock::Sleep(std::uint32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace orvik
