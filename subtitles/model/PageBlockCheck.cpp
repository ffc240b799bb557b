#include "subtitles/model/PageBlockCheck.h"

#include "core/include/SubtitleRecords.h"

#include <cstring>

namespace {

template <class T> T ReadAt(std::span<const std::byte> block, std::size_t offset) {
    T value{};
    std::memcpy(&value, block.data() + offset, sizeof value);
    return value;
}

TPageBlockCheck Refuse(std::string why) {
    TPageBlockCheck result;
    result.error = std::move(why);
    return result;
}

// A text event's text must end inside its record.
bool TextTerminated(std::span<const std::byte> record) {
    for (std::size_t at = kTextEventTextOffset; at + 1 < record.size(); at += 2) {
        if (ReadAt<char16_t>(record, at) == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

TPageBlockCheck CheckPageBlock(std::span<const std::byte> block) {
    if (block.size() < kPageBlockHeadBytes) {
        return Refuse("page block shorter than its head");
    }
    const auto head = ReadAt<TSubtitlePageBlockHead>(block, 0);
    if (head.headSize != kPageBlockHeadBytes) {
        return Refuse("page block head size is not 12");
    }
    // Every record takes at least its 56-byte head, which bounds a believable count.
    if (head.count > (block.size() - kPageBlockHeadBytes) / kSubEventRecordBytes) {
        return Refuse("page block counts more records than it holds");
    }
    TPageBlockCheck result;
    result.recordOffsets.reserve(head.count);
    std::size_t offset = kPageBlockHeadBytes;
    for (std::uint32_t index = 0; index < head.count; ++index) {
        if (block.size() - offset < kSubEventRecordBytes) {
            return Refuse("event record " + std::to_string(index) + " runs past the block");
        }
        const auto record = ReadAt<TSubEventRecord>(block, offset);
        const std::size_t least = record.kind == kSubItemText ? kTextEventRecordBytes : kSubEventRecordBytes;
        if (record.size < least || record.size % 2 != 0 || record.size > block.size() - offset) {
            return Refuse("event record " + std::to_string(index) + " has a bad size");
        }
        if (record.kind == kSubItemText && record.size > kTextEventRecordBytes &&
            !TextTerminated(block.subspan(offset, record.size))) {
            return Refuse("event record " + std::to_string(index) + " has an unterminated text");
        }
        result.recordOffsets.push_back(offset);
        offset += record.size;
    }
    result.ok = true;
    return result;
}
