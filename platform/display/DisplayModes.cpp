#include "platform/display/DisplayModes.h"

#include "platform/display/CurrentModeOnly.h"
#include "platform/display/XrandrDisplayModes.h"

#include <cstdlib>

namespace plat::display {

std::unique_ptr<DisplayModes> CreateDisplayModes() {
    const char* display = std::getenv("DISPLAY");
    if (display != nullptr && *display != 0) {
        if (auto xrandr = XrandrDisplayModes::Open()) {
            return xrandr;
        }
    }
    return std::make_unique<CurrentModeOnly>(CurrentModeOnly::PrimaryScreenMode());
}

} // namespace plat::display
