#pragma once
// What the command scripts read of the machine: the local time, its texts in the user's locale, and
// the player's memory.
#include <cstdint>
#include <string>

struct TLocalTime {
    int32_t Year = 0;
    int32_t Month = 0; // 1-12
    int32_t Day = 0;
    int32_t Hour = 0; // 0-23
    int32_t Minute = 0;
    int32_t Second = 0;
    int32_t Millisecond = 0;
};

class IScriptSystem {
public:
    virtual ~IScriptSystem() = default;
    virtual TLocalTime Now() const = 0;
    // The time and the (short) date as the user's locale writes them.
    virtual std::u16string TimeText(const TLocalTime& time) const = 0;
    virtual std::u16string DateText(const TLocalTime& time) const = 0;
    // The player's resident memory in bytes, 0 when it cannot be read.
    virtual int64_t WorkingSetBytes() const = 0;
};
