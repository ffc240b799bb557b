#include "platform/gdi/Region.h"

#include <algorithm>

namespace plat::gdi {

namespace {

Rect Intersection(const Rect& a, const Rect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

// The parts of `from` outside `cut`: up to four rectangles (above, below, left, right).
void AppendDifference(const Rect& from, const Rect& cut, std::vector<Rect>& out) {
    const Rect overlap = Intersection(from, cut);
    if (overlap.IsEmpty()) {
        out.push_back(from);
        return;
    }
    const Rect parts[] = {
        {from.left, from.top, from.right, overlap.top},
        {from.left, overlap.bottom, from.right, from.bottom},
        {from.left, overlap.top, overlap.left, overlap.bottom},
        {overlap.right, overlap.top, from.right, overlap.bottom},
    };
    for (const Rect& part : parts) {
        if (!part.IsEmpty()) {
            out.push_back(part);
        }
    }
}

} // namespace

Region::Region(const Rect& rect) {
    Unite(rect);
}

void Region::Unite(const Rect& rect) {
    if (rect.IsEmpty()) {
        return;
    }
    std::vector<Rect> pieces{rect};
    for (const Rect& held : rects_) {
        std::vector<Rect> remaining;
        for (const Rect& piece : pieces) {
            AppendDifference(piece, held, remaining);
        }
        pieces = std::move(remaining);
    }
    rects_.insert(rects_.end(), pieces.begin(), pieces.end());
}

void Region::Subtract(const Rect& rect) {
    if (rect.IsEmpty()) {
        return;
    }
    std::vector<Rect> remaining;
    for (const Rect& held : rects_) {
        AppendDifference(held, rect, remaining);
    }
    rects_ = std::move(remaining);
}

bool Region::Contains(std::int32_t x, std::int32_t y) const {
    return std::any_of(rects_.begin(), rects_.end(), [x, y](const Rect& rect) {
        return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
    });
}

std::int64_t Region::Area() const {
    std::int64_t area = 0;
    for (const Rect& rect : rects_) {
        area += std::int64_t{rect.Width()} * rect.Height();
    }
    return area;
}

} // namespace plat::gdi
