// The rows of the events grid: the list sorted by start with equal starts in their order and
// numbered, bookmarks and filtered events left out, the cursor's row, the select's first row in
// range, the bookmark badges and the width of the number column.
#include "editor/TEventRows.h"
#include "subtitles/model/TTextEvent.h"
#include "subtitles/profiles/TSelect.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

TTextEvent* Add(TPointer<TSubEvents>& list, int32_t start, const std::u16string& text, bool comment = false) {
    auto event = std::make_unique<TTextEvent>();
    TTextEventRecord* record = event->AttachRecord(nullptr);
    record->head.start = start;
    record->head.end = start + 500;
    record->head.comment = comment ? 1 : 0;
    event->SetText(text, false);
    return static_cast<TTextEvent*>(list.Insert(nullptr, std::move(event)));
}

std::u16string TextOf(const TSubEvents* event) {
    return std::u16string(static_cast<const TTextEvent*>(event)->GetText());
}

} // namespace

TEST(EventRowsTest, RebuildSortsNumbersAndMapsTheRows) {
    TPointer<TSubEvents> list;
    Add(list, 3000, u"c");
    Add(list, 1000, u"a1");
    TTextEvent* cursor = Add(list, 2000, u"b");
    Add(list, 1000, u"a2"); // the same start as a1: stays after it
    Add(list, 2500, u"##BOOKMARK##-4", true);
    Add(list, 4000, u"filtered");
    TSelect select;
    select.FirstSub = 1500;
    select.LastSub = 3500;

    TEventRows rows;
    const auto result = rows.Rebuild(list, cursor, &select, [](const TSubEvents& event) {
        return static_cast<const TTextEvent&>(event).GetText() != u"filtered";
    });
    ASSERT_EQ(rows.Count(), 4);
    EXPECT_EQ(TextOf(rows.EventAt(0)), u"a1");
    EXPECT_EQ(TextOf(rows.EventAt(1)), u"a2");
    EXPECT_EQ(TextOf(rows.EventAt(2)), u"b");
    EXPECT_EQ(TextOf(rows.EventAt(3)), u"c");
    EXPECT_EQ(rows.EventAt(4), nullptr);
    EXPECT_EQ(rows.EventAt(-1), nullptr);
    EXPECT_EQ(result.CursorRow, 2);
    EXPECT_EQ(result.FirstRowInRange, 2);
    // Numbered in list order, the bookmark and the filtered event included.
    int32_t number = 0;
    for (TSubEvents* event = list.Head; event != nullptr; event = event->Next) {
        EXPECT_EQ(event->Index, ++number);
    }
    // The bookmark before "c" shows on c's row.
    EXPECT_EQ(rows.BookmarkBefore(3), 4);
    EXPECT_EQ(rows.BookmarkBefore(2), -1);
    EXPECT_EQ(rows.RowOf(cursor), 2);
}

TEST(EventRowsTest, ACursorOnABookmarkSelectsTheRowAfterIt) {
    TPointer<TSubEvents> list;
    Add(list, 1000, u"a");
    TTextEvent* bookmark = Add(list, 1500, u"##BOOKMARK##-1", true);
    Add(list, 2000, u"b");
    TEventRows rows;
    EXPECT_EQ(rows.Rebuild(list, bookmark, nullptr, {}).CursorRow, 1);
}

TEST(EventRowsTest, AnEmptyListHasNoRows) {
    TPointer<TSubEvents> list;
    TEventRows rows;
    const auto result = rows.Rebuild(list, nullptr, nullptr, {});
    EXPECT_EQ(rows.Count(), 0);
    EXPECT_EQ(result.CursorRow, -1);
    EXPECT_EQ(rows.EventAt(0), nullptr);
    EXPECT_EQ(rows.BookmarkBefore(0), -1);
}

TEST(EventRowsTest, BookmarksAndNumberColumnWidths) {
    TPointer<TSubEvents> list;
    const struct {
        std::u16string text;
        bool comment;
        int32_t number;
    } bookmarks[] = {
        {u"##BOOKMARK##-7", true, 7}, {u"##BOOKMARK##-7", false, -1}, {u"x ##BOOKMARK##-0 y", true, 0},
        {u"##BOOKMARK##-", true, -1}, {u"##bookmark##-3", true, -1},
    };
    for (const auto& b : bookmarks) {
        EXPECT_EQ(TEventRows::BookmarkNumber(*Add(list, 0, b.text, b.comment)), b.number);
    }
    EXPECT_EQ(TEventRows::NumberColumnLetters(1), 2);
    EXPECT_EQ(TEventRows::NumberColumnLetters(9), 2);
    EXPECT_EQ(TEventRows::NumberColumnLetters(10), 3);
    EXPECT_EQ(TEventRows::NumberColumnLetters(99), 3);
    EXPECT_EQ(TEventRows::NumberColumnLetters(100), 4);
}
