#pragma once
// What the wave display uses of the editor: the current event's times and the start-up wait form.
#include <cstdint>
#include <string_view>

class IWaveEditorServices {
public:
    virtual ~IWaveEditorServices() = default;
    // Sets the current event's start and end in ms (-1 leaves that one as it is).
    virtual void SetEventTimes(int32_t startMs, int32_t endMs) = 0;
    // Shows what the start-up is doing on the wait form.
    virtual void SetWaitInfo(std::u16string_view info) = 0;
};
