#include "platform/testing/FakeDisplayModes.h"

#include <algorithm>

namespace plat::display {

namespace {

std::string Describe(const char* what, const DisplayMode& m) {
    return std::string(what) + " " + std::to_string(m.width) + "x" + std::to_string(m.height) + "x" +
           std::to_string(m.bitsPerPixel) + "@" + std::to_string(m.frequency);
}

} // namespace

std::optional<DisplayMode> FakeDisplayModes::ModeAt(std::int32_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= modes.size()) {
        return std::nullopt;
    }
    return modes[static_cast<std::size_t>(index)];
}

bool FakeDisplayModes::Test(const DisplayMode& mode) {
    calls.push_back(Describe("test", mode));
    return !refuseAll && std::find(modes.begin(), modes.end(), mode) != modes.end();
}

bool FakeDisplayModes::Apply(const DisplayMode& mode) {
    calls.push_back(Describe("apply", mode));
    if (refuseAll || std::find(modes.begin(), modes.end(), mode) == modes.end()) {
        return false;
    }
    current = mode;
    return true;
}

} // namespace plat::display
