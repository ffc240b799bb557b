#pragma once
// A device context on a picture of its own, compatible with the screen: for measuring text, and for
// drawing that is copied elsewhere afterwards.
#include "platform/gdi/ImageDc.h"

namespace plat::gdi {

namespace detail {
struct OwnedImage {
    QImage image;
};
} // namespace detail

class MemoryDc : private detail::OwnedImage, public ImageDc {
public:
    // A 1 x 1 picture: enough for measuring.
    MemoryDc() : MemoryDc(1, 1) {}
    MemoryDc(std::int32_t width, std::int32_t height)
        : detail::OwnedImage{QImage(width, height, QImage::Format_ARGB32_Premultiplied)}, ImageDc(image) {
        image.fill(Qt::transparent);
    }
};

} // namespace plat::gdi
