#pragma once
// A subtitle entry read by a template: its times in milliseconds, its number and its text.
#include <cstdint>
#include <string>

struct TMatchedEvent {
    int32_t Start = 0;
    int32_t End = 0;
    int32_t Number = 0;
    bool HasEnd = false; // an end time or a duration was read
    std::u16string Text;
};
