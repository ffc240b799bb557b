#pragma once
// The pauses of the receiver's power cycle and handshake. Tests move a manual clock instead.
#include <cstdint>

namespace orvik {

class SleepClock {
public:
    virtual ~SleepClock() = default;
    virtual void Sleep(std::uint32_t milliseconds) = 0;
};

} // namespace orvik
