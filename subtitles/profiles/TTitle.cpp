#include "subtitles/profiles/TTitle.h"
#include "subtitles/profiles/StableSortList.h"
#include "subtitles/profiles/TMergedEvent.h"
#include "subtitles/profiles/TimeScale.h"
#include "subtitles/scripts/TScriptControl.h"

#include <algorithm>
#include <limits>
#include <memory>

namespace {

// Events with a start at or beyond this are not counted as valid statistics.
constexpr int32_t kStartLimit = 2000000000;

// The spread of a run of event records (copies or script events).
struct TSpread {
    int32_t Count = 0;
    int32_t MinStart = std::numeric_limits<int32_t>::max();
    int32_t MaxStart = std::numeric_limits<int32_t>::min();
    int32_t MaxEnd = std::numeric_limits<int32_t>::min();

    // The record's fields are read by value: records are packed.
    void Add(const TSubEventRecord& record) {
        const int32_t start = record.start;
        const int32_t end = record.end;
        ++Count;
        MinStart = std::min(MinStart, start);
        MaxStart = std::max(MaxStart, start);
        MaxEnd = std::max(MaxEnd, end);
    }
    // Duration, start span and the three times into the block.
    void Describe(TSelectStats& stats) const {
        stats.Duration = SaturatedDifference(MaxEnd, MinStart);
        stats.StartSpan = SaturatedDifference(MaxStart, MinStart);
        stats.MinStart = MinStart;
        stats.MaxStart = MaxStart;
        stats.MaxEnd = MaxEnd;
    }
};

bool InWindow(const TSubEvents& event, const TSelect& select) {
    const TSubEventRecord* record = event.GetRecord();
    return record && !event.IsComment() && record->start >= select.FirstSub &&
           record->start <= select.LastSub;
}

int32_t StartOf(const TSubEvents& event) {
    const TSubEventRecord* record = event.GetRecord();
    return record ? record->start : 0;
}

} // namespace

TTitle::TTitle() = default;

TTitle::~TTitle() {
    Events.Clear();
    Selects.Clear();
}

TSelectStats TTitle::BuildEvents(TPointer<TSubEvents>* target, TSelect* only) {
    const bool wholeTitle = only == nullptr;
    TPointer<TSubEvents>& into = target ? *target : Events;
    if (!target && wholeTitle) {
        Stats = TSelectStats{};
    }
    into.Clear();
    TSelectStats last;
    for (TSelect* select = wholeTitle ? Selects.Head : only; select;
         select = wholeTitle ? select->Next : nullptr) {
        if (wholeTitle && !select->Enabled) {
            continue;
        }
        last = BuildSelection(*select, into);
    }
    SortEvents(into);
    if (!target && wholeTitle && into.Count > 0) {
        TSpread spread;
        for (const TSubEvents* event = into.Head; event; event = event->Next) {
            spread.Add(*event->GetRecord());
        }
        spread.Describe(Stats);
        Stats.Count = spread.Count;
        Stats.Valid = 1;
    }
    return last;
}

// The statistics of a selection that covers no usable event are cleared and its events are copied
// unstretched, so that a build never depends on the factor an earlier build left behind.
TSelectStats TTitle::BuildSelection(TSelect& select, TPointer<TSubEvents>& target) {
    TSpread window;
    const TPointer<TSubEvents>* events = select.Script ? &select.Script->Events : nullptr;
    for (const TSubEvents* event = events ? events->Head : nullptr; event; event = event->Next) {
        if (InWindow(*event, select)) {
            window.Add(*event->GetRecord());
        }
    }
    select.Stats = TSelectStats{};
    select.ScaleFactor = 1.0;
    if (window.Count > 0 && window.MaxEnd != 0 && window.MinStart < kStartLimit) {
        window.Describe(select.Stats);
        select.Stats.Count = window.Count;
        select.Stats.MinStartUnshifted = window.MinStart;
        select.Stats.MaxStartUnshifted = window.MaxStart;
        select.Stats.Valid = 1;
        if (select.TimeRamp != 0) {
            select.ScaleFactor = TimeScaleFactor(select.Stats.StartSpan, select.TimeRamp);
        }
    }
    TSpread copies;
    for (const TSubEvents* event = events ? events->Head : nullptr; event; event = event->Next) {
        if (InWindow(*event, select)) {
            copies.Add(*AddEventCopy(*event, select, target)->GetRecord());
        }
    }
    if (copies.Count > 0) {
        copies.Describe(select.Stats);
    }
    return select.Stats;
}

TMergedEvent* TTitle::AddEventCopy(const TSubEvents& source, TSelect& select, TPointer<TSubEvents>& target) {
    auto* copy =
        static_cast<TMergedEvent*>(target.Insert(nullptr, std::make_unique<TMergedEvent>(source, select)));
    TSubEventRecord& record = *copy->GetRecord();
    const int64_t shift = int64_t{select.DVDStart} - select.FirstSub;
    int32_t start = record.start;
    int32_t end = record.end;
    record.start = SaturatedSum(ScaleTimeFromOrigin(select.FirstSub, start, select.ScaleFactor), shift);
    record.end = SaturatedSum(ScaleTimeFromOrigin(select.FirstSub, end, select.ScaleFactor), shift);
    return copy;
}

void TTitle::SortSelections() {
    StableSortList(Selects, [](const TSelect& select) { return select.Info; });
}

void TTitle::SortEvents(TPointer<TSubEvents>& events) {
    StableSortList(events, StartOf);
}

TMergedEvent* TTitle::FindEventCopy(const TSubEvents& source, const TSelect& select) const {
    for (TSubEvents* event = Events.Head; event != nullptr; event = event->Next) {
        auto* copy = dynamic_cast<TMergedEvent*>(event);
        if (copy != nullptr && &copy->GetSource() == &source && &copy->GetSelect() == &select) {
            return copy;
        }
    }
    return nullptr;
}
