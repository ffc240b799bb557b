#include "player/model/storage/TBookmarkIndex.h"

#include <algorithm>
#include <cstring>

namespace {

// Copies a text field whose terminator the source may lack; the copy always ends with one.
template <std::size_t N> void CopyTerminated(char (&to)[N], const char (&from)[N]) {
    std::memcpy(to, from, N - 1);
    to[N - 1] = '\0';
}

void ToEntry(const TStateIndexSlot& slot, TBookmarksEntry& entry) {
    CopyTerminated(entry.Identifier, slot.identifier);
    CopyTerminated(entry.Name, slot.caption);
    entry.Title = slot.title;
    entry.Chapter = slot.chapter;
    entry.Time = slot.time;
    entry.Flag1 = slot.flag1;
    entry.Flag2 = slot.flag2;
}

void ToSlot(const TBookmarksEntry& entry, TStateIndexSlot& slot) {
    CopyTerminated(slot.identifier, entry.Identifier);
    CopyTerminated(slot.caption, entry.Name);
    slot.title = entry.Title;
    slot.chapter = entry.Chapter;
    slot.time = entry.Time;
    slot.flag1 = entry.Flag1;
    slot.flag2 = entry.Flag2;
}

} // namespace

bool TBookmarkIndex::Decode(std::string_view bytes, TPointer<TBookmarksEntry>& list, int32_t& startup) {
    list.Clear();
    startup = -1;
    if (bytes.size() != kBytes) {
        return false;
    }
    TStateIndex index;
    std::memcpy(&index, bytes.data(), kBytes);
    const std::size_t count = std::min<std::size_t>(index.count, kStateIndexSlots);
    for (std::size_t i = 0; i < count; ++i) {
        ToEntry(index.entries[i], *list.Add());
    }
    if (index.startup & kStartupBookmarkFlag) {
        startup = index.startup & ~kStartupBookmarkFlag;
    }
    list.Renumber();
    return true;
}

std::string TBookmarkIndex::Encode(const TPointer<TBookmarksEntry>& list, int32_t startup) {
    TStateIndex index{};
    std::size_t count = 0;
    for (const TBookmarksEntry* entry = list.Head; entry != nullptr && count < kStateIndexSlots;
         entry = entry->Next) {
        ToSlot(*entry, index.entries[count++]);
    }
    index.count = static_cast<uint8_t>(count);
    if (startup >= 0 && startup < kStartupBookmarkFlag) {
        index.startup = static_cast<uint8_t>(kStartupBookmarkFlag | startup);
    }
    return {reinterpret_cast<const char*>(&index), kBytes};
}
