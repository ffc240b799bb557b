#pragma once
// The chapters of one title in list order, the current one and the pending chapter number: the
// chapter number of the entry last played from this list, so that the core's report of the chapter
// a user chapter lies in keeps that user chapter current.
#include "foundation/TPointer.h"
#include "player/model/hub/TPlayerObjects.h"
#include "player/model/titles/TChaptersEntry.h"

#include <cstdint>

class TMyChapters : public TPlayerObjects {
public:
    static constexpr int32_t kNone = -1;
    // A title has at most 999 chapters; a larger count is taken as that.
    static constexpr int32_t kMaxChapters = 999;

    explicit TMyChapters(TPlayerObjects* parent) : TPlayerObjects(parent), empty_(this) {}

    // The entry at the 0-based index, or the empty chapter.
    virtual TChaptersEntry& GetChapter(int32_t index);
    // Appends a nameless, hidden, unreal entry with numbers -1 and renumbers.
    TChaptersEntry& AddChapter();
    // Appends a real, visible "Chapter %d" of the title for each number of 1..count that no real
    // chapter has, in increasing order; answers the count kept.
    int32_t SetChapterCount(int32_t titleNo, int32_t count);

    // Makes the chapter current, remembers its number as pending and plays it; -1 for a bad index.
    int32_t PlayChapter(int32_t index);
    // The next chapter, or order 113 at the last (the pending number is cleared); -1 without a
    // current chapter.
    int32_t PlayNext();
    // The previous chapter, or order 114 at the first; -1 without a current chapter.
    int32_t PlayPrev();
    // Follows the chapter number the core reports (see TMyTitles::SetCurrent).
    void Follow(int32_t chapterNo);

    int32_t Count() const { return chapters_.Count; }
    int32_t RealCount() const { return realCount_; }
    int32_t Current() const { return current_; }
    int32_t Pending() const { return pending_; }

private:
    TChaptersEntry* At(int32_t index) const;
    int32_t FirstReal(int32_t chapterNo) const;

    TChaptersEntry empty_;
    int32_t realCount_ = 0;
    TPointer<TChaptersEntry> chapters_;
    int32_t current_ = kNone;
    int32_t pending_ = kNone;
};
