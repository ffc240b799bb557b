#pragma once
// The display modes of the screen: the list, the mode the program started with, the current one, and a
// switch that can be tried before it is made. Implementations: XRandR where an X11 display opens, the
// current mode only (switching unsupported) elsewhere, and a fake for tests.
#include <cstdint>
#include <memory>
#include <optional>

namespace plat::display {

struct DisplayMode {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t bitsPerPixel = 0;
    std::int32_t frequency = 0; // refresh rate in Hz, 0 when unknown
    bool operator==(const DisplayMode&) const = default;
};

class DisplayModes {
public:
    virtual ~DisplayModes() = default;
    // The mode the display had when this object was made: the one to go back to.
    virtual std::optional<DisplayMode> StartMode() = 0;
    virtual std::optional<DisplayMode> CurrentMode() = 0;
    // The mode at a 0-based index of the display's list; nothing past its end.
    virtual std::optional<DisplayMode> ModeAt(std::int32_t index) = 0;
    // True when the display can take the mode (nothing changes).
    virtual bool Test(const DisplayMode& mode) = 0;
    // Switches the display to the mode; true when it did.
    virtual bool Apply(const DisplayMode& mode) = 0;
};

// XRandR on the X11 display named by DISPLAY when one opens, else the current mode of the primary
// screen (when a Qt GUI application runs) with switching unsupported.
std::unique_ptr<DisplayModes> CreateDisplayModes();

} // namespace plat::display
