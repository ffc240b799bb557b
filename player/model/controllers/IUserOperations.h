#pragma once
// The DVD user-operation mask (TUOPS): which operations the disc currently allows.
#include <cstdint>

class IUserOperations {
public:
    virtual ~IUserOperations() = default;
    // Stores the DVD user-operation mask (a set bit prohibits; -1 prohibits everything).
    virtual void Set(int32_t mask) = 0;
    virtual int32_t Get() const = 0;
    // True when the operation of that mask bit is allowed.
    virtual bool Allows(uint32_t bit) const = 0;
};
