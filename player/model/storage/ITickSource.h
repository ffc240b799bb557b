#pragma once
// The millisecond tick count (wrapping at 32 bits) by which quick repeats of an action are judged.
#include <cstdint>

class ITickSource {
public:
    virtual ~ITickSource() = default;
    virtual uint32_t GetTickCount() = 0;
};
