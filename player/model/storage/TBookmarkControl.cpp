#include "player/model/storage/TBookmarkControl.h"

#include "platform/text/CodePage.h"
#include "player/model/binding/PlayerGlobals.h"
#include "player/model/events/PlayerEvents.h"
#include "player/model/storage/CreateFolderOfFile.h"
#include "player/model/storage/TBookmarkIndex.h"
#include "player/model/storage/TStorageFiles.h"

#include <cstring>
#include <memory>

namespace text = plat::text;

namespace {

uint64_t KeyOf(uint8_t title, uint8_t chapter, uint32_t time) {
    return (static_cast<uint64_t>(title * 256u + chapter) << 32) | time;
}

uint64_t KeyOf(const TBookmarksEntry& entry) {
    return KeyOf(entry.Title, entry.Chapter, entry.Time);
}

TBookmarksEntry* EntryAt(const TPointer<TBookmarksEntry>& list, int32_t index) {
    TBookmarksEntry* entry = index >= 0 ? list.Head : nullptr;
    for (int32_t i = 0; entry != nullptr && i < index; ++i) {
        entry = entry->Next;
    }
    return entry;
}

int32_t PositionOf(const TPointer<TBookmarksEntry>& list, std::string_view identifier) {
    int32_t position = 0;
    for (const TBookmarksEntry* entry = list.Head; entry != nullptr; entry = entry->Next, ++position) {
        if (!identifier.empty() && identifier == entry->Identifier) {
            return position;
        }
    }
    return -1;
}

std::string IdentifierAt(const TPointer<TBookmarksEntry>& list, int32_t index) {
    const TBookmarksEntry* entry = EntryAt(list, index);
    return entry != nullptr ? entry->Identifier : "";
}

bool CopyToOrderField(std::u16string_view text, char16_t (&field)[kDvdStateNameUnits]) {
    if (text.size() >= kDvdStateNameUnits) {
        return false;
    }
    text.copy(field, text.size());
    field[text.size()] = u'\0';
    return true;
}

} // namespace

TBookmarkControl::TBookmarkControl(TPlayerObjects& hub, std::unique_ptr<ITickSource> ticks)
    : TPlayerObjects(&hub), ticks_(std::move(ticks)) {}

int32_t TBookmarkControl::SetStorageFile(const char16_t* file) {
    if (file == nullptr) {
        storageFile_.clear();
        return -1;
    }
    storageFile_ = file;
    return Load();
}

int32_t TBookmarkControl::Load() {
    Clear(false);
    TStorageFiles storage;
    std::string info;
    uint32_t size = 0;
    const bool read = !storageFile_.empty() && storage.Open(storageFile_, false, false) == 0 &&
                      storage.ReadStream(kStateIndexStream, info, size, true) >= 0;
    storage.Close();
    if (!read || !TBookmarkIndex::Decode(info, bookmarks_, startup_)) {
        return -1;
    }
    NotifyChanged();
    return 0;
}

int32_t TBookmarkControl::Save(const char16_t* file) {
    const std::u16string target = file != nullptr && *file != u'\0' ? std::u16string(file) : storageFile_;
    if (target.empty()) {
        return -1;
    }
    CreateFolderOfFile(target);
    const std::string info = TBookmarkIndex::Encode(bookmarks_, startup_);
    TStorageFiles storage;
    const bool written =
        storage.Open(target, true, true) == 0 &&
        storage.WriteStream(kStateIndexStream, info.data(), static_cast<uint32_t>(info.size())) ==
            static_cast<int32_t>(TBookmarkIndex::kBytes);
    storage.Close();
    return written ? 1 : 0;
}

void TBookmarkControl::Clear(bool silent) {
    bookmarks_.Clear();
    startup_ = -1;
    if (!silent) {
        NotifyChanged();
    }
}

int32_t TBookmarkControl::SendStateOrder(uint32_t order, std::u16string_view name, uint8_t flag) {
    TOrderDvdState record{};
    if (!CopyToOrderField(storageFile_, record.storageFile)) {
        ReportError(0, u"::BKM:: The storage file name is longer than %d characters: %s",
                    static_cast<int32_t>(kDvdStateNameUnits - 1), storageFile_);
        return -1;
    }
    if (!CopyToOrderField(name, record.streamName)) {
        ReportError(0, u"::BKM:: The bookmark name is longer than %d characters",
                    static_cast<int32_t>(kDvdStateNameUnits - 1));
        return -1;
    }
    record.flag = flag;
    return SendRecord(order, record);
}

int32_t TBookmarkControl::AddBookmark(const char16_t* name) {
    if (storageFile_.empty() || bookmarks_.Count >= static_cast<int32_t>(kStateIndexAddLimit)) {
        return -1;
    }
    CreateFolderOfFile(storageFile_);
    const int32_t result = SendStateOrder(kOrderSaveDvdState, name != nullptr ? name : u"", 0);
    Load();
    return result;
}

int32_t TBookmarkControl::GoToBookmark(int32_t index) {
    const TBookmarksEntry* entry = GetBookmark(index);
    if (entry == nullptr || storageFile_.empty()) {
        return -1;
    }
    return SendStateOrder(kOrderRestoreDvdState, text::AnsiToWide(entry->Identifier), 0);
}

bool TBookmarkControl::HasStateStream(const char* identifier) const {
    TStorageFiles storage;
    if (storage.Open(storageFile_, false, false) != 0) {
        // A file that cannot be read now may still hold the stream; one that is gone holds none.
        return storage.Error() != plat::storage::StorageError::NotFound;
    }
    std::string bytes;
    uint32_t size = 0;
    return storage.ReadStream(text::AnsiToWide(identifier), bytes, size, false) >= 0;
}

int32_t TBookmarkControl::DeleteBookmark(int32_t index) {
    TBookmarksEntry* entry = GetBookmark(index);
    if (entry == nullptr) {
        return -1;
    }
    const std::string identifier = entry->Identifier;
    if (storageFile_.empty()) {
        bookmarks_.Delete(entry);
        bookmarks_.Renumber();
        NotifyChanged();
        return 0;
    }
    // An entry whose state the core could not delete stays, so that no state stream loses its entry.
    if (SendStateOrder(kOrderDeleteDvdState, text::AnsiToWide(identifier), 0) != 0 &&
        HasStateStream(identifier.c_str())) {
        return -1;
    }
    ChangeIndex([&identifier](TPointer<TBookmarksEntry>& list, int32_t&) {
        TBookmarksEntry* removed = EntryAt(list, PositionOf(list, identifier));
        return removed != nullptr && list.Delete(removed);
    });
    return 0;
}

bool TBookmarkControl::RenameBookmark(int32_t index, const char16_t* name) {
    const TBookmarksEntry* entry = GetBookmark(index);
    if (entry == nullptr) {
        return true;
    }
    const std::string identifier = entry->Identifier;
    const std::string ansi = text::WideToAnsi(name != nullptr ? std::u16string_view(name) : u"");
    return !ChangeIndex([&](TPointer<TBookmarksEntry>& list, int32_t&) {
        TBookmarksEntry* target = EntryAt(list, PositionOf(list, identifier));
        if (target != nullptr) {
            std::memset(target->Name, 0, sizeof target->Name);
            text::CopyToFixedField(ansi, target->Name, sizeof target->Name);
        }
        return target != nullptr;
    });
}

bool TBookmarkControl::MoveBookmark(int32_t from, int32_t to) {
    const TBookmarksEntry* moving = GetBookmark(from);
    const TBookmarksEntry* target = GetBookmark(to);
    if (moving == nullptr || target == nullptr || from == to) {
        return true;
    }
    const std::string movingId = moving->Identifier;
    const std::string targetId = target->Identifier;
    return !ChangeIndex([&](TPointer<TBookmarksEntry>& list, int32_t&) {
        const int32_t fromPosition = PositionOf(list, movingId);
        const int32_t toPosition = PositionOf(list, targetId);
        if (fromPosition < 0 || toPosition < 0 || fromPosition == toPosition) {
            return false;
        }
        TBookmarksEntry* source = EntryAt(list, fromPosition);
        TBookmarksEntry* destination = EntryAt(list, toPosition);
        auto moved = std::make_unique<TBookmarksEntry>(*source);
        list.Delete(source);
        if (fromPosition < toPosition) {
            list.Insert(destination, std::move(moved));
        } else {
            list.InsertBefore(destination, std::move(moved));
        }
        return true;
    });
}

TBookmarksEntry* TBookmarkControl::GetBookmark(int32_t index) const {
    return EntryAt(bookmarks_, index);
}

int32_t TBookmarkControl::ToggleStartupBookmark(int32_t index) {
    const TBookmarksEntry* entry = GetBookmark(index);
    if (entry == nullptr) {
        Load();
        return startup_;
    }
    const std::string identifier = entry->Identifier;
    ChangeIndex([&identifier](TPointer<TBookmarksEntry>& list, int32_t& startup) {
        const int32_t position = PositionOf(list, identifier);
        startup = position == startup ? -1 : position;
        return position >= 0;
    });
    return startup_;
}

void TBookmarkControl::GoToStartupBookmark() {
    if (startup_ >= 0) {
        GoToBookmark(startup_);
    }
}

bool TBookmarkControl::ChangeIndex(const IndexChange& change) {
    bool applied = false;
    TStorageFiles storage;
    std::string info;
    uint32_t size = 0;
    TPointer<TBookmarksEntry> list;
    int32_t startup = -1;
    if (!storageFile_.empty() && storage.Open(storageFile_, true, false) == 0 &&
        storage.ReadStream(kStateIndexStream, info, size, true) >= 0 &&
        TBookmarkIndex::Decode(info, list, startup)) {
        // The start-up bookmark stays the same bookmark wherever the change moves it.
        const std::string startupId = IdentifierAt(list, startup);
        const int32_t before = startup;
        if (change(list, startup)) {
            if (startup == before) {
                startup = PositionOf(list, startupId);
            }
            const std::string changed = TBookmarkIndex::Encode(list, startup);
            applied = storage.WriteStream(kStateIndexStream, changed.data(),
                                          static_cast<uint32_t>(changed.size())) ==
                      static_cast<int32_t>(TBookmarkIndex::kBytes);
            info = changed;
        }
    }
    storage.Close();
    if (!applied) {
        Load();
        return false;
    }
    // The list becomes what the file now holds, without reading it again.
    Clear(false);
    TBookmarkIndex::Decode(info, bookmarks_, startup_);
    NotifyChanged();
    return true;
}

const TBookmarksEntry* TBookmarkControl::Nearest(Direction direction, uint64_t key) const {
    const TBookmarksEntry* best = nullptr;
    uint64_t bestDistance = 0;
    for (const TBookmarksEntry* entry = bookmarks_.Head; entry != nullptr; entry = entry->Next) {
        const uint64_t candidate = KeyOf(*entry);
        const bool ahead = direction == Direction::Forward ? candidate > key : candidate < key;
        const uint64_t distance = candidate > key ? candidate - key : key - candidate;
        if (ahead && (best == nullptr || distance <= bestDistance)) {
            best = entry;
            bestDistance = distance;
        }
    }
    return best;
}

int32_t TBookmarkControl::IndexOf(const TBookmarksEntry* entry) const {
    int32_t index = 0;
    for (const TBookmarksEntry* item = bookmarks_.Head; item != entry; item = item->Next) {
        ++index;
    }
    return index;
}

int32_t TBookmarkControl::GoToNearest(Direction direction, uint8_t title, uint8_t chapter, uint32_t time) {
    const uint32_t now = ticks_->GetTickCount();
    const bool quickRepeat =
        searched_ && lastDirection_ == direction && now - lastSearchTick_ <= kQuickRepeatMs;
    searched_ = true;
    lastSearchTick_ = now;
    lastDirection_ = direction;

    const TBookmarksEntry* found = Nearest(direction, KeyOf(title, chapter, time));
    if (found == nullptr) {
        return 0;
    }
    if (quickRepeat) {
        if (const TBookmarksEntry* further = Nearest(direction, KeyOf(*found))) {
            found = further;
        }
    }
    return GoToBookmark(IndexOf(found));
}

int32_t TBookmarkControl::GoToNextBookmark(uint8_t title, uint8_t chapter, uint32_t time) {
    return GoToNearest(Direction::Forward, title, chapter, time);
}

int32_t TBookmarkControl::GoToPreviousBookmark(uint8_t title, uint8_t chapter, uint32_t time) {
    return GoToNearest(Direction::Backward, title, chapter, time);
}

int32_t TBookmarkControl::SaveResumePoint() {
    if (storageFile_.empty()) {
        return -1;
    }
    const int32_t result = SendStateOrder(kOrderSaveDvdState, kResumeStateStream, 1);
    Load();
    return result;
}

int32_t TBookmarkControl::RestoreResumePoint() {
    if (storageFile_.empty()) {
        return -1;
    }
    return SendStateOrder(kOrderRestoreDvdState, kResumeStateStream, 0);
}

int32_t TBookmarkControl::AddListener(void* userData, uint32_t tag, TPlayerEventCallback callback) {
    return TCallbackFunction::Register(&listeners_, userData, tag, callback);
}

bool TBookmarkControl::NotifyChanged() {
    TCallbackFunction::Broadcast(&listeners_, kEventBookmarks, 0, 0, 0);
    return true;
}
