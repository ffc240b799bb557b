#include "editor/TEventRows.h"

#include "subtitles/model/TTextEvent.h"
#include "subtitles/profiles/TSelect.h"
#include "subtitles/profiles/TTitle.h"

#include <algorithm>

namespace {

constexpr std::u16string_view kBookmarkPrefix = u"##BOOKMARK##-";

} // namespace

TEventRows::TResult TEventRows::Rebuild(TPointer<TSubEvents>& events, const TSubEvents* cursorEvent,
                                        const TSelect* select, const TFilter& filter) {
    TTitle::SortEvents(events);
    events.Renumber();
    rows_.clear();
    rows_.reserve(static_cast<std::size_t>(events.Count));
    TResult result;
    bool selectNext = false;
    for (TSubEvents* event = events.Head; event != nullptr; event = event->Next) {
        selectNext = selectNext || event == cursorEvent;
        if (BookmarkNumber(*event) >= 0 || (filter && !filter(*event))) {
            continue;
        }
        const auto row = static_cast<int32_t>(rows_.size());
        rows_.push_back(event);
        if (selectNext) {
            result.CursorRow = row;
            selectNext = false;
        }
        if (select != nullptr && result.FirstRowInRange < 0 && event->GetRecord() != nullptr &&
            event->GetRecord()->start >= select->FirstSub && event->GetRecord()->start <= select->LastSub) {
            result.FirstRowInRange = row;
        }
    }
    return result;
}

TSubEvents* TEventRows::EventAt(int32_t row) const {
    return row >= 0 && row < Count() ? rows_[static_cast<std::size_t>(row)] : nullptr;
}

int32_t TEventRows::RowOf(const TSubEvents* event) const {
    const auto found = std::find(rows_.begin(), rows_.end(), event);
    return found != rows_.end() ? static_cast<int32_t>(found - rows_.begin()) : -1;
}

int32_t TEventRows::BookmarkBefore(int32_t row) const {
    const TSubEvents* event = EventAt(row);
    return event != nullptr && event->Prev != nullptr ? BookmarkNumber(*event->Prev) : -1;
}

int32_t TEventRows::BookmarkNumber(const TSubEvents& event) {
    const auto* text = dynamic_cast<const TTextEvent*>(&event);
    if (text == nullptr || !event.IsComment()) {
        return -1;
    }
    const std::u16string_view body = text->GetText();
    const std::size_t at = body.find(kBookmarkPrefix);
    if (at == std::u16string_view::npos) {
        return -1;
    }
    int32_t number = 0;
    std::size_t digit = at + kBookmarkPrefix.size();
    if (digit >= body.size() || body[digit] < u'0' || body[digit] > u'9') {
        return -1;
    }
    for (; digit < body.size() && body[digit] >= u'0' && body[digit] <= u'9' && number < 100000; ++digit) {
        number = number * 10 + (body[digit] - u'0');
    }
    return number;
}

bool TEventRows::InSelectRange(const TSubEvents& event, const TSelect& select) {
    const TSubEventRecord* record = event.GetRecord();
    return record != nullptr && !event.IsComment() && record->start >= select.FirstSub &&
           record->start <= select.LastSub;
}

int32_t TEventRows::NumberColumnLetters(int32_t rowCount) {
    int32_t digits = 1;
    for (int32_t rest = rowCount; rest >= 10; rest /= 10) {
        ++digits;
    }
    return digits + 1;
}
