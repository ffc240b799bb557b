#include "core/src/pages/TTitleBlock.h"

#include "core/src/pages/TPageLayouter.h"
#include "subtitles/model/TTextEvent.h"

#include <algorithm>
#include <cstring>

namespace {

std::size_t AlignedOffset(std::size_t offset) {
    constexpr std::size_t kAlignment = 8;
    return (offset + kAlignment - 1) / kAlignment * kAlignment;
}

// The part of an event's time that a page can show (times before 0 are not shown) and its position
// in the page.
struct TVisibleSpan {
    std::int32_t start;
    std::int32_t end;
    std::size_t order;
    TSubEvents* event;
};

std::vector<TVisibleSpan> VisibleSpans(const TPointer<TSubEvents>& events) {
    std::vector<TVisibleSpan> spans;
    std::size_t order = 0;
    for (TSubEvents* event = events.Head; event != nullptr; event = event->Next, ++order) {
        const TSubEventRecord* record = event->GetRecord();
        if (record == nullptr || event->IsComment()) {
            continue;
        }
        const std::int32_t start = std::max(record->start, 0);
        if (record->end > start) {
            spans.push_back({start, record->end, order, event});
        }
    }
    return spans;
}

} // namespace

TTitleBlock::~TTitleBlock() {
    shownSlot_ = nullptr;
    slots_.Clear();
    events_.Clear();
}

// Each record of the copy starts on an 8-byte boundary: the wire packs them back to back at even
// offsets, and the events read their 32-bit fields in place.
void TTitleBlock::Load(std::uint32_t key, std::span<const std::byte> block,
                       std::span<const std::size_t> recordOffsets) {
    key_ = key;
    const auto recordSize = [&](std::size_t offset) {
        std::uint32_t size;
        std::memcpy(&size, block.data() + offset + offsetof(TSubEventRecord, size), sizeof(size));
        return static_cast<std::size_t>(size);
    };
    std::size_t copySize = AlignedOffset(kPageBlockHeadBytes);
    for (const std::size_t offset : recordOffsets) {
        copySize += AlignedOffset(recordSize(offset));
    }
    data_ = std::make_unique<std::byte[]>(copySize);
    std::memcpy(data_.get(), block.data(), kPageBlockHeadBytes);
    std::size_t at = AlignedOffset(kPageBlockHeadBytes);
    for (const std::size_t offset : recordOffsets) {
        std::byte* record = data_.get() + at;
        std::memcpy(record, block.data() + offset, recordSize(offset));
        if (reinterpret_cast<const TSubEventRecord*>(record)->kind == kSubItemText) {
            AddTextEvent(record);
        }
        at += AlignedOffset(recordSize(offset));
    }
    BuildSlots();
}

void TTitleBlock::AddTextEvent(std::byte* record) {
    auto event = std::make_unique<TTextEvent>();
    event->AttachRecord(reinterpret_cast<TTextEventRecord*>(record));
    event->BuildRuns();
    events_.Insert(nullptr, std::move(event));
}

// One sweep over the change times: events join when they start and leave at their end, so a slot
// holds exactly the events with start <= slot start < end.
void TTitleBlock::BuildSlots() {
    shownSlot_ = nullptr;
    shownCount_ = 0;
    slots_.Clear();
    std::vector<TVisibleSpan> byStart = VisibleSpans(events_);
    std::vector<std::int32_t> times{0};
    for (const TVisibleSpan& span : byStart) {
        times.push_back(span.start);
        times.push_back(span.end);
    }
    std::sort(times.begin(), times.end());
    times.erase(std::unique(times.begin(), times.end()), times.end());
    std::stable_sort(byStart.begin(), byStart.end(),
                     [](const TVisibleSpan& a, const TVisibleSpan& b) { return a.start < b.start; });

    std::vector<TVisibleSpan> open; // in page order
    auto next = byStart.begin();
    for (const std::int32_t time : times) {
        std::erase_if(open, [time](const TVisibleSpan& span) { return span.end <= time; });
        for (; next != byStart.end() && next->start <= time; ++next) {
            const auto at = std::lower_bound(
                open.begin(), open.end(), *next,
                [](const TVisibleSpan& a, const TVisibleSpan& b) { return a.order < b.order; });
            open.insert(at, *next);
        }
        std::vector<TSubEvents*> events;
        events.reserve(open.size());
        for (const TVisibleSpan& span : open) {
            events.push_back(span.event);
        }
        slots_.Insert(nullptr, std::make_unique<TChronoEvents>(time, std::move(events)));
    }
    slots_.Renumber();
    slots_.First();
}

std::int32_t TTitleBlock::FindSlot(std::int32_t time) {
    TChronoEvents* slot = slots_.Current != nullptr ? slots_.Current : slots_.Head;
    if (slot == nullptr) {
        return -1;
    }
    while (slot->Next != nullptr && slot->StartTime() < time) {
        slot = slot->Next;
    }
    while (slot->Prev != nullptr && slot->StartTime() > time) {
        slot = slot->Prev;
    }
    slots_.Current = slot;
    return slot->Number();
}

bool TTitleBlock::SetTime(std::int32_t time) {
    currentTime_ = time;
    if (FindSlot(time) < 0) {
        const bool wasShown = shownSlot_ != nullptr;
        shownSlot_ = nullptr;
        shownCount_ = 0;
        return wasShown;
    }
    TChronoEvents* slot = slots_.Current;
    if (slot == shownSlot_) {
        return std::any_of(slot->Events().begin(), slot->Events().end(),
                           [time](const TSubEvents* event) { return event->ChangedAt(time); });
    }
    if (!slot->HasPlacements() && !lazyLayout_) {
        slot->MakePlacements(shownSlot_);
    }
    shownSlot_ = slot;
    shownCount_ = static_cast<std::int32_t>(slot->Events().size());
    return true;
}

void TTitleBlock::Layout(TPageLayouter* layouter, const TPointer<TSubtitleStyleNode>* styles,
                         const TSubScreenControler* mapping, bool storeOnly, std::int32_t wrapOverride) {
    if (styles != nullptr) {
        styles_ = styles;
    }
    if (mapping != nullptr) {
        mapping_.Assign(*mapping);
    }
    if (styles_ == nullptr || storeOnly || layouter == nullptr) {
        return;
    }
    layouter->Layout(*this, wrapOverride);
}

bool TTitleBlock::Paint(TPageLayouter* layouter, plat::gdi::Dc* dc, std::int32_t time, bool replace,
                        TSubEvents* single) {
    return layouter != nullptr && layouter->Paint(*this, dc, time, replace, single);
}

void TTitleBlock::StartLazyLayout(std::int32_t wrapOverride) {
    lazyLayout_ = true;
    layoutWrap_ = wrapOverride;
    events_.Renumber();
    laidOut_.assign(static_cast<std::size_t>(events_.Count), false);
    for (TChronoEvents* slot = slots_.Head; slot != nullptr; slot = slot->Next) {
        slot->DiscardPlacements();
    }
}

bool TTitleBlock::IsLaidOut(const TSubEvents& event) const {
    const auto at = static_cast<std::size_t>(event.Index - 1);
    return event.Index >= 1 && at < laidOut_.size() && laidOut_[at];
}

void TTitleBlock::MarkLaidOut(const TSubEvents& event) {
    const auto at = static_cast<std::size_t>(event.Index - 1);
    if (event.Index >= 1 && at < laidOut_.size()) {
        laidOut_[at] = true;
    }
}
