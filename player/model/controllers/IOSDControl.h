#pragma once
// What the hub and the main window need of the on-screen message controller.
#include "core/include/SubtitleRecords.h"

#include <cstdint>

class IOSDControl {
public:
    virtual ~IOSDControl() = default;
    // Reads the on-screen script (root OSDSCRIPT); false, with no script kept, when it has none.
    virtual bool LoadScript(const char16_t* path) = 0;
    // Shows the texts of a command of the on-screen script ("Osd_Play", ...); false when there are none.
    virtual bool ShowCommand(const char16_t* name) = 0;
    // Sets a variable the script's texts refer to; nothing when either is missing.
    virtual void SetVariable(const char16_t* name, const char16_t* value) = 0;
    // Gives the core the on-screen style (none: a zeroed one), the default duration in ms and whether
    // messages are shown at all; true when the core took them.
    virtual bool SetStyle(const TSubtitleStyleRecord* style, uint32_t defaultDuration, bool enabled) = 0;
};
