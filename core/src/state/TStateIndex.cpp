#include "core/src/state/TStateIndex.h"

#include "core/include/VokradOrders.h"

#include <algorithm>
#include <cstring>

TStateIndex::TStateIndex(std::string_view stream) {
    std::copy_n(stream.begin(), std::min(stream.size(), kBytes), bytes_.begin());
}

bool TStateIndex::HasRoom() const {
    return Count() < kDvdStateIndexLimit;
}

bool TStateIndex::Fits(const TEntry& entry) {
    return entry.streamName.size() < kNameBytes && entry.caption.size() < kCaptionBytes;
}

bool TStateIndex::Add(const TEntry& entry) {
    if (!HasRoom() || !Fits(entry)) {
        return false;
    }
    const std::uint8_t count = Count() + 1;
    bytes_[kCountOffset] = static_cast<char>(count);
    char* slot = bytes_.data() + kEntriesOffset + kEntryBytes * (count - 1);
    std::memset(slot + kNameOffset, 0, kNameBytes);
    std::memcpy(slot + kNameOffset, entry.streamName.data(), entry.streamName.size());
    std::memset(slot + kCaptionOffset, 0, kCaptionBytes);
    std::memcpy(slot + kCaptionOffset, entry.caption.data(), entry.caption.size());
    slot[kTitleOffset] = static_cast<char>(entry.title);
    slot[kChapterOffset] = static_cast<char>(entry.chapter);
    for (std::size_t i = 0; i < 4; ++i) {
        slot[kTimeOffset + i] = static_cast<char>(entry.milliseconds >> (8 * i));
    }
    slot[kFlag1Offset] = 0;
    return true;
}
