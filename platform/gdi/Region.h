#pragma once
// An area made of rectangles that do not overlap, as GDI's regions are used here: a rectangle less
// others (the window border around the picture), filled in one call.
#include "platform/gdi/Geometry.h"

#include <cstdint>
#include <vector>

namespace plat::gdi {

class Region {
public:
    Region() = default;
    explicit Region(const Rect& rect);

    // Adds the part of the rectangle the region does not hold yet.
    void Unite(const Rect& rect);
    // Removes the rectangle's area.
    void Subtract(const Rect& rect);
    bool Contains(std::int32_t x, std::int32_t y) const;
    bool IsEmpty() const { return rects_.empty(); }
    // Pixels covered.
    std::int64_t Area() const;
    const std::vector<Rect>& Rects() const { return rects_; }

private:
    std::vector<Rect> rects_; // disjoint, none empty
};

} // namespace plat::gdi
