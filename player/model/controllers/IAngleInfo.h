#pragma once
// What the hub needs of the angle controller.
#include <cstdint>

class IAngleInfo {
public:
    virtual ~IAngleInfo() = default;
    // No angles; event 19 unless silent.
    virtual void Clear(bool silent) = 0;
    virtual void SetCount(int32_t count) = 0;
    // Stores the current angle (0-based) and raises event 9; answers whether the user asked for the
    // change (and forgets that).
    virtual bool SetCurrent(int32_t index) = 0;
};
