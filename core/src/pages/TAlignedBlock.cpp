#include "core/src/pages/TAlignedBlock.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

std::int32_t Truncate(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<std::int32_t>(std::clamp(std::trunc(value), double{INT32_MIN}, double{INT32_MAX}));
}

} // namespace

TAlignedBlock TAlignedBlock::Place(std::int32_t alignment, const TMargins& margins, double sx, double sy,
                                   double width, double height, std::int32_t w, std::int32_t h) {
    double x = 0;
    switch (alignment & 3) {
    case kLeft:
        x = sx * margins.left;
        break;
    case kRight:
        x = sx * (width - margins.right) - w;
        break;
    default:
        x = sx * std::trunc(width / 2) - std::trunc(w / 2.0);
        break;
    }
    double y = 0;
    if ((alignment & kTop) != 0) {
        y = sy * margins.vertical;
    } else if ((alignment & kMiddle) != 0) {
        y = sy * std::trunc(height / 2) - std::trunc(h / 2.0);
    } else {
        y = sy * (height - margins.vertical) - h;
    }
    return {Truncate(x), Truncate(y)};
}
