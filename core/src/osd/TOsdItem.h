#pragma once
// One on-screen message of the queue: a text or a bitmap file image the client sent with order 602,
// the layer it occupies, how long it stays and when it was added. A bitmap is read into its picture
// once, when the item is added, never on each redraw.
#include "core/include/VokradOrders.h"
#include "core/src/pages/TBitmapItem.h"
#include "foundation/TPointer.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

struct TOsdItem : TListItem<TOsdItem> {
    static constexpr std::uint8_t kText = kOsdItemText;
    static constexpr std::uint8_t kBitmap = kOsdItemBitmap;
    static constexpr std::int32_t kRemove = kOsdRemoveLayer;

    std::uint32_t reserved = 0;
    std::int32_t layer = -1;
    std::vector<std::byte> data;          // an owned copy of a text item's bytes
    std::unique_ptr<TBitmapItem> picture; // a bitmap item's picture
    std::int32_t duration = 0;            // ms; 0 or less stays until removed
    std::uint32_t startTick = 0;
    std::uint8_t type = 0;

    bool Timed() const { return duration > 0; }
    // Milliseconds of its duration left at `now`, on a tick count that wraps at 32 bits; 0 once it
    // has run out. Only for timed items.
    std::uint32_t Remaining(std::uint32_t now) const {
        const std::uint32_t elapsed = now - startTick;
        const auto length = static_cast<std::uint32_t>(duration);
        return elapsed >= length ? 0 : length - elapsed;
    }
};
