#pragma once
// Display modes where the system offers no switching (Wayland, Qt's offscreen platform, no display):
// the list holds the current mode alone, and only that mode passes the test.
#include "platform/display/DisplayModes.h"

namespace plat::display {

class CurrentModeOnly : public DisplayModes {
public:
    // The mode of the primary screen of the running Qt GUI application, nothing without one.
    static std::optional<DisplayMode> PrimaryScreenMode();

    explicit CurrentModeOnly(std::optional<DisplayMode> current);

    std::optional<DisplayMode> StartMode() override { return current_; }
    std::optional<DisplayMode> CurrentMode() override { return current_; }
    std::optional<DisplayMode> ModeAt(std::int32_t index) override;
    bool Test(const DisplayMode& mode) override;
    // Nothing to do for the current mode; any other cannot be set.
    bool Apply(const DisplayMode& mode) override;

private:
    std::optional<DisplayMode> current_;
};

} // namespace plat::display
