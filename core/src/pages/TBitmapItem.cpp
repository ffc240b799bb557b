#include "core/src/pages/TBitmapItem.h"

#include "platform/gdi/BmpReader.h"
#include "platform/gdi/Dc.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <span>

namespace {

std::int32_t Scaled(std::int32_t length, double scale) {
    const double value = std::trunc(length * scale);
    return std::isfinite(value) ? static_cast<std::int32_t>(std::clamp(value, 0.0, double{INT32_MAX})) : 0;
}

} // namespace

TBitmapItem::TBitmapItem() : TSubEvents(kSubItemBitmap) {
    CreateRecord();
}

std::int32_t TBitmapItem::SetImage(const void* bytes, std::size_t count) {
    image_.clear();
    picture_.reset();
    SetExtent(0, 0);
    if (bytes == nullptr || count == 0 || count > INT32_MAX) {
        return -1;
    }
    const auto* first = static_cast<const std::byte*>(bytes);
    image_.assign(first, first + count);
    plat::gdi::BmpInfo info;
    if (plat::gdi::BmpReader::ReadInfo(image_, info)) {
        SetExtent(info.width, info.height == INT32_MIN ? INT32_MAX : std::abs(info.height));
        plat::gdi::Bitmap picture;
        if (plat::gdi::BmpReader::Read(image_, picture)) {
            picture_ = std::move(picture);
        }
    }
    return static_cast<std::int32_t>(count);
}

bool TBitmapItem::Draw(plat::gdi::Dc* dc, std::int32_t x, std::int32_t y, std::int32_t, TFontPool*,
                       double scale, double) {
    if (image_.empty() || dc == nullptr) {
        return false;
    }
    if (picture_.has_value()) {
        const auto edge = [](std::int32_t from, std::int32_t length) {
            return static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{from} + length, INT32_MAX));
        };
        const plat::gdi::Rect destination{x, y, edge(x, Scaled(picture_->width, scale)),
                                          edge(y, Scaled(picture_->height, scale))};
        dc->StretchBitmap(destination, *picture_);
    }
    return true;
}
