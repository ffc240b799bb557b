#pragma once
// The codec of the "Info" stream: exactly 7464 bytes, the number of bookmarks at 360, the start-up
// bookmark at 372 and one 92-byte slot per bookmark from 1024 on.
#include "core/include/StateIndex.h"
#include "player/model/storage/TBookmarksEntry.h"

#include <cstdint>
#include <string>
#include <string_view>

class TBookmarkIndex {
public:
    static constexpr std::size_t kBytes = sizeof(TStateIndex);

    // Empties the list, then appends one entry per slot in use (at most 70, whatever the count says)
    // and sets the start-up index (-1 for none). False, with the list empty and no start-up bookmark,
    // unless the stream holds exactly 7464 bytes. Text fields are always terminated.
    static bool Decode(std::string_view bytes, TPointer<TBookmarksEntry>& list, int32_t& startup);
    // The stream for the first 70 entries of the list, every byte the slots do not use zero.
    static std::string Encode(const TPointer<TBookmarksEntry>& list, int32_t startup);
};
