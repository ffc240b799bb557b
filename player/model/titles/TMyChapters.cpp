#include "player/model/titles/TMyChapters.h"

#include "core/include/VokradOrders.h"
#include "platform/text/Format.h"

#include <algorithm>
#include <vector>

TChaptersEntry* TMyChapters::At(int32_t index) const {
    int32_t at = 0;
    for (TChaptersEntry* entry = chapters_.Head; entry != nullptr; entry = entry->Next, ++at) {
        if (at == index) {
            return entry;
        }
    }
    return nullptr;
}

int32_t TMyChapters::FirstReal(int32_t chapterNo) const {
    int32_t at = 0;
    for (const TChaptersEntry* entry = chapters_.Head; entry != nullptr; entry = entry->Next, ++at) {
        if (entry->IsRealChapter && entry->ChapterNo == chapterNo) {
            return at;
        }
    }
    return kNone;
}

TChaptersEntry& TMyChapters::GetChapter(int32_t index) {
    TChaptersEntry* entry = At(index);
    return entry != nullptr ? *entry : empty_;
}

TChaptersEntry& TMyChapters::AddChapter() {
    TChaptersEntry* entry = chapters_.Insert(nullptr, std::make_unique<TChaptersEntry>(this));
    chapters_.Renumber();
    return *entry;
}

int32_t TMyChapters::SetChapterCount(int32_t titleNo, int32_t count) {
    count = std::clamp(count, 0, kMaxChapters);
    std::vector<bool> present(static_cast<std::size_t>(count) + 1, false);
    for (const TChaptersEntry* entry = chapters_.Head; entry != nullptr; entry = entry->Next) {
        if (entry->IsRealChapter && entry->ChapterNo >= 1 && entry->ChapterNo <= count) {
            present[static_cast<std::size_t>(entry->ChapterNo)] = true;
        }
    }
    for (int32_t chapterNo = 1; chapterNo <= count; ++chapterNo) {
        if (!present[static_cast<std::size_t>(chapterNo)]) {
            TChaptersEntry& entry = AddChapter();
            entry.Name = plat::text::Format(u"Chapter %d", chapterNo);
            entry.IsRealChapter = true;
            entry.Visible = true;
            entry.TitleNo = titleNo;
            entry.ChapterNo = chapterNo;
        }
    }
    realCount_ = count;
    return count;
}

int32_t TMyChapters::PlayChapter(int32_t index) {
    TChaptersEntry* entry = At(index);
    if (entry == nullptr) {
        return -1;
    }
    current_ = index;
    pending_ = entry->ChapterNo;
    return entry->Play();
}

int32_t TMyChapters::PlayNext() {
    if (At(current_) == nullptr) {
        return -1;
    }
    if (current_ + 1 < Count()) {
        return PlayChapter(current_ + 1);
    }
    pending_ = kNone;
    return SendOrder(kOrderNextChapter, nullptr, nullptr);
}

int32_t TMyChapters::PlayPrev() {
    if (At(current_) == nullptr) {
        return -1;
    }
    if (current_ == 0) {
        return SendOrder(kOrderPreviousChapter, nullptr, nullptr);
    }
    return PlayChapter(current_ - 1);
}

void TMyChapters::Follow(int32_t chapterNo) {
    const TChaptersEntry* current = At(current_);
    if (current != nullptr && current->IsRealChapter && current->ChapterNo == chapterNo) {
        return;
    }
    if (pending_ != kNone && pending_ == chapterNo) {
        pending_ = kNone;
        return;
    }
    current_ = FirstReal(chapterNo);
}
