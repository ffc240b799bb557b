// Feeds arbitrary bytes to the "Info" index decoder: only 7464-byte streams decode, never more than 70
// entries with terminated texts, and what is encoded from a decoded list decodes to the same list.
#include "player/model/storage/TBookmarkIndex.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

bool SameEntries(const TPointer<TBookmarksEntry>& a, const TPointer<TBookmarksEntry>& b) {
    const TBookmarksEntry* x = a.Head;
    const TBookmarksEntry* y = b.Head;
    for (; x != nullptr && y != nullptr; x = x->Next, y = y->Next) {
        if (std::strcmp(x->Identifier, y->Identifier) != 0 || std::strcmp(x->Name, y->Name) != 0 ||
            x->Title != y->Title || x->Chapter != y->Chapter || x->Time != y->Time || x->Flag1 != y->Flag1 ||
            x->Flag2 != y->Flag2 || x->Index != y->Index) {
            return false;
        }
    }
    return x == nullptr && y == nullptr;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TPointer<TBookmarksEntry> list;
    int32_t startup = 0;
    const bool decoded = TBookmarkIndex::Decode(bytes, list, startup);
    if (decoded != (size == TBookmarkIndex::kBytes) || list.Count > static_cast<int32_t>(kStateIndexSlots) ||
        startup < -1 || startup > 127) {
        std::abort();
    }
    for (const TBookmarksEntry* entry = list.Head; entry != nullptr; entry = entry->Next) {
        if (std::memchr(entry->Identifier, 0, sizeof entry->Identifier) == nullptr ||
            std::memchr(entry->Name, 0, sizeof entry->Name) == nullptr) {
            std::abort();
        }
    }
    const std::string encoded = TBookmarkIndex::Encode(list, startup);
    TPointer<TBookmarksEntry> again;
    int32_t startupAgain = 0;
    if (encoded.size() != TBookmarkIndex::kBytes || !TBookmarkIndex::Decode(encoded, again, startupAgain) ||
        !SameEntries(list, again) || startupAgain != startup ||
        TBookmarkIndex::Encode(again, startupAgain) != encoded) {
        std::abort();
    }
    return 0;
}
