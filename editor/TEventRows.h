#pragma once
// The rows of the events grid over a script's event list: the list sorted by start (equal starts
// keep their order) and numbered 1..n, then one row per event that is neither a bookmark nor refused
// by the filter. Bookmarks are hidden comment events "##BOOKMARK##-n"; the row after one shows n.
#include <cstdint>
#include <functional>
#include <vector>

class TSubEvents;
struct TSelect;
template <class T> class TPointer;

class TEventRows {
public:
    using TFilter = std::function<bool(const TSubEvents&)>;

    struct TResult {
        int32_t CursorRow = -1;       // the row of the cursor's event (or of the row after it)
        int32_t FirstRowInRange = -1; // the first row whose start lies in the select's window
    };

    // Sorts and numbers the list, then maps the rows. `filter` (when given) refuses events.
    TResult Rebuild(TPointer<TSubEvents>& events, const TSubEvents* cursorEvent, const TSelect* select,
                    const TFilter& filter);
    void Clear() { rows_.clear(); }

    int32_t Count() const { return static_cast<int32_t>(rows_.size()); }
    // The event of a row; nullptr outside the rows.
    TSubEvents* EventAt(int32_t row) const;
    // The row showing the event; -1 when none does.
    int32_t RowOf(const TSubEvents* event) const;
    // The bookmark number shown on the row: that of the list element just before its event, -1 when
    // that element is no bookmark.
    int32_t BookmarkBefore(int32_t row) const;

    // The bookmark number of an event: a comment whose text holds "##BOOKMARK##-" and digits; -1
    // for any other event.
    static int32_t BookmarkNumber(const TSubEvents& event);
    // Whether the event's start lies in the select's window (inclusive) and it is no comment.
    static bool InSelectRange(const TSubEvents& event, const TSelect& select);
    // How many "Q" characters the "No." column is as wide as (+2 pixels) for a grid of `rowCount`
    // rows, header included: two for up to 9 rows, one more for each further decimal digit.
    static int32_t NumberColumnLetters(int32_t rowCount);

private:
    std::vector<TSubEvents*> rows_;
};
