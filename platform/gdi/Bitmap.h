#pragma once
// A picture in memory: opaque 0xAARRGGBB pixels, top row first.
#include <cstdint>
#include <vector>

namespace plat::gdi {

struct Bitmap {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint32_t> pixels; // width x height
};

} // namespace plat::gdi
