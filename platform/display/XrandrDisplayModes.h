#pragma once
// Display modes of an X11 screen through XRandR: the screen sizes with their refresh rates, at the
// screen's pixel depth (X cannot change the depth, so other depths fail the test).
#include "platform/display/DisplayModes.h"

#include <memory>
#include <string>
#include <vector>

namespace plat::display {

class XrandrDisplayModes : public DisplayModes {
public:
    // Connects to the named display (DISPLAY when empty); nullptr when it cannot be opened or has no
    // RandR extension.
    static std::unique_ptr<XrandrDisplayModes> Open(const std::string& displayName = {});
    ~XrandrDisplayModes() override;

    std::optional<DisplayMode> StartMode() override { return start_; }
    std::optional<DisplayMode> CurrentMode() override;
    std::optional<DisplayMode> ModeAt(std::int32_t index) override;
    bool Test(const DisplayMode& mode) override;
    bool Apply(const DisplayMode& mode) override;

private:
    struct Connection;
    struct Entry {
        DisplayMode mode;
        int sizeIndex;
        short rate;
    };

    explicit XrandrDisplayModes(std::unique_ptr<Connection> connection);
    // Reads the screen's sizes and rates again.
    std::vector<Entry> ReadModes() const;
    const Entry* Find(const std::vector<Entry>& entries, const DisplayMode& mode) const;

    std::unique_ptr<Connection> connection_;
    std::optional<DisplayMode> start_;
};

} // namespace plat::display
