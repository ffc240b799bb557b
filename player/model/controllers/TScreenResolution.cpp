#include "player/model/controllers/TScreenResolution.h"

#include <algorithm>
#include <tuple>

using plat::display::DisplayMode;

TScreenResolution::TScreenResolution(plat::display::DisplayModes* displayModes)
    : displayModes_(displayModes) {}

void TScreenResolution::Refresh() {
    modes_.clear();
    startMode_.reset();
    if (displayModes_ == nullptr) {
        return;
    }
    startMode_ = displayModes_->StartMode();
    for (int32_t index = 0; const std::optional<DisplayMode> mode = displayModes_->ModeAt(index); ++index) {
        modes_.push_back(*mode);
    }
    // Stable, so that modes that compare equal keep the display's order.
    std::stable_sort(modes_.begin(), modes_.end(), [](const DisplayMode& a, const DisplayMode& b) {
        return std::tuple(int64_t{a.width} * a.height, a.bitsPerPixel, a.frequency) <
               std::tuple(int64_t{b.width} * b.height, b.bitsPerPixel, b.frequency);
    });
}

std::optional<DisplayMode> TScreenResolution::GetMode(int32_t index) const {
    if (index < 0 || index >= GetCount()) {
        return std::nullopt;
    }
    return modes_[static_cast<size_t>(index)];
}
