#pragma once
// What the hub needs of the user-operation mask (TUOPS).
#include <cstdint>

class IUserOperations {
public:
    virtual ~IUserOperations() = default;
    // Stores the DVD user-operation mask (a set bit prohibits; -1 prohibits everything).
    virtual void Set(int32_t mask) = 0;
};
