#pragma once
// The display modes for the aspect dialog: the mode the program started with and every mode of the
// display, sorted by size, then depth, then refresh rate.
#include "platform/display/DisplayModes.h"

#include <cstdint>
#include <optional>
#include <vector>

class TScreenResolution {
public:
    explicit TScreenResolution(plat::display::DisplayModes* displayModes);

    // Reads the start mode and the list again.
    void Refresh();
    int32_t GetCount() const { return static_cast<int32_t>(modes_.size()); }
    // The mode at a 0-based index of the sorted list; nothing out of range.
    std::optional<plat::display::DisplayMode> GetMode(int32_t index) const;
    std::optional<plat::display::DisplayMode> StartMode() const { return startMode_; }

private:
    plat::display::DisplayModes* displayModes_;
    std::optional<plat::display::DisplayMode> startMode_;
    std::vector<plat::display::DisplayMode> modes_;
};
