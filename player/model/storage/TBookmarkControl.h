#pragma once
// The bookmarks of the current disc or media file, kept in the "Info" stream of its per-disc storage
// file. The core saves and restores the playback states (orders 250-252); this object keeps the list,
// its order, names and start-up bookmark, and tells its listeners (event 23) when the list changes.
// Every change is made to the index as the file holds it at that moment, under the file's exclusive
// lock, and the list is reloaded after it, so changes made by another player on the same file are
// never overwritten.
#include "foundation/TPointer.h"
#include "player/model/controllers/IBookmarkControl.h"
#include "player/model/events/TCallbackFunction.h"
#include "player/model/hub/TPlayerObjects.h"
#include "player/model/storage/ITickSource.h"
#include "player/model/storage/TBookmarksEntry.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class TBookmarkControl : public TPlayerObjects, public IBookmarkControl {
public:
    // Two calls of the same search direction closer than this skip one bookmark further.
    static constexpr uint32_t kQuickRepeatMs = 1000;
    // Longest display name kept, in bytes of the ANSI code page.
    static constexpr std::size_t kMaxNameBytes = kStateCaptionBytes - 1;

    TBookmarkControl(TPlayerObjects& hub, std::unique_ptr<ITickSource> ticks);

    // Keeps the name and loads its bookmarks (the result of Load); nullptr forgets the name (-1).
    int32_t SetStorageFile(const char16_t* file) override;
    // Replaces the list by the file's "Info" stream; 0, or -1 with the list empty when the stream is
    // missing or not 7464 bytes long. Event 23 when the list is emptied and again when it is filled.
    int32_t Load();
    // Writes the list as the "Info" stream of the file (the own one when none is given), creating its
    // folder, the file and the stream as needed. 1 when all 7464 bytes were written, 0 when not, -1
    // without a file.
    int32_t Save(const char16_t* file = nullptr);
    void Clear(bool silent) override;

    // Asks the core to save the playback state as a new bookmark, then reloads. The core's answer; -1
    // without a file, when the list already holds 69 bookmarks, or when the file name or the bookmark
    // name do not fit the order (nothing is sent then).
    int32_t AddBookmark(const char16_t* name);
    // Asks the core to restore the bookmark's state. The core's answer; -1 for a bad index or no file.
    int32_t GoToBookmark(int32_t index);
    // Asks the core to delete the bookmark's state, then removes the entry. 0; -1 for a bad index, or
    // when the core failed and the state stream is still in the file (the entry then stays).
    int32_t DeleteBookmark(int32_t index);
    // Gives the bookmark a new name (cut at a character boundary to 74 bytes). False on success, true
    // for a bad index or a failed change.
    bool RenameBookmark(int32_t index, const char16_t* name);
    // Moves the entry to the target position (after the target when moving down, before it when
    // moving up). False on success, true when an index is bad, both are equal or the change failed.
    bool MoveBookmark(int32_t from, int32_t to);
    // The entry at a 0-based index; nullptr for a bad index.
    TBookmarksEntry* GetBookmark(int32_t index) const;
    // Makes the bookmark the start-up bookmark, or clears it when it is already; saves and reloads in
    // any case. The start-up index afterwards.
    int32_t ToggleStartupBookmark(int32_t index);
    void GoToStartupBookmark() override;
    // Plays the nearest bookmark after (before) the position; the core's answer, 0 when there is none.
    int32_t GoToNextBookmark(uint8_t title, uint8_t chapter, uint32_t time);
    int32_t GoToPreviousBookmark(uint8_t title, uint8_t chapter, uint32_t time);
    // Orders 250 (flag 1) and 251 with the state "SAVEFORRESUME"; saving reloads. -1 without a file.
    int32_t SaveResumePoint() override;
    int32_t RestoreResumePoint() override;

    int32_t AddListener(void* userData, uint32_t tag, TPlayerEventCallback callback);
    // Event 23 (a = b = c = 0) to the listeners; true.
    bool NotifyChanged();

    int32_t Count() const { return bookmarks_.Count; }
    int32_t StartupBookmark() const { return startup_; }
    const std::u16string& StorageFile() const { return storageFile_; }

private:
    enum class Direction { Forward, Backward };
    // Changes the file's index in place of the list: false when the change does not apply to it.
    using IndexChange = std::function<bool(TPointer<TBookmarksEntry>& list, int32_t& startup)>;

    // Orders 250-252 with the own file, a name and a flag; -1 (reported) when a text does not fit.
    int32_t SendStateOrder(uint32_t order, std::u16string_view name, uint8_t flag);
    // Applies the change to the index the file holds now, under its lock, then reloads. True when the
    // change applied and the index was written.
    bool ChangeIndex(const IndexChange& change);
    // True while the file still holds a stream of that name.
    bool HasStateStream(const char* identifier) const;
    int32_t GoToNearest(Direction direction, uint8_t title, uint8_t chapter, uint32_t time);
    // The nearest bookmark in the direction from the key; the last of equally near ones; nullptr.
    const TBookmarksEntry* Nearest(Direction direction, uint64_t key) const;
    int32_t IndexOf(const TBookmarksEntry* entry) const;

    std::unique_ptr<ITickSource> ticks_;
    std::u16string storageFile_;
    TPointer<TCallbackFunction> listeners_;
    TPointer<TBookmarksEntry> bookmarks_;
    int32_t startup_ = -1;
    // The last search: when, which way.
    bool searched_ = false;
    uint32_t lastSearchTick_ = 0;
    Direction lastDirection_ = Direction::Forward;
};
