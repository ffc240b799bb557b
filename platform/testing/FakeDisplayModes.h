#pragma once
// Display modes for tests: a list, a start mode and a current mode the test sets, the modes that pass
// the test, and a record of every mode tested and applied.
#include "platform/display/DisplayModes.h"

#include <string>
#include <vector>

namespace plat::display {

class FakeDisplayModes : public DisplayModes {
public:
    std::optional<DisplayMode> StartMode() override { return start; }
    std::optional<DisplayMode> CurrentMode() override { return current; }
    std::optional<DisplayMode> ModeAt(std::int32_t index) override;
    // Passes the modes of the list, unless refuseAll.
    bool Test(const DisplayMode& mode) override;
    // Makes the mode current when it passes the test.
    bool Apply(const DisplayMode& mode) override;

    std::vector<DisplayMode> modes;
    std::optional<DisplayMode> start;
    std::optional<DisplayMode> current;
    bool refuseAll = false;
    // "test WxHxB@F" and "apply WxHxB@F", in order.
    std::vector<std::string> calls;
};

} // namespace plat::display
