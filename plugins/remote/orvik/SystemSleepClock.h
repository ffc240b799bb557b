#pragma once
// Pauses on the system's clock.
#include "plugins/remote/orvik/SleepClock.h"

namespace orvik {

class SystemSleepClock : public SleepClock {
public:
    void Sleep(std::uint32_t milliseconds) override;
};

} // namespace orvik
