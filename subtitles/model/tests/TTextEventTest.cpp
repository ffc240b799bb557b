#include "RunDump.h"

#include "subtitles/model/FixedText.h"
#include "subtitles/model/TSubScreenControler.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

std::vector<std::byte> Serialise(const TTextEvent& event) {
    std::vector<std::byte> bytes(event.GetRecordSize());
    EXPECT_EQ(event.WriteRecord(bytes.data(), bytes.size()), bytes.size());
    return bytes;
}

TEST(TTextEventRecord, FreshEventHasNoRecordTextOrRuns) {
    TTextEvent event;
    EXPECT_EQ(event.GetKind(), kSubItemText);
    EXPECT_EQ(event.GetRecord(), nullptr);
    EXPECT_FALSE(event.HasText());
    EXPECT_FALSE(event.HasRuns());
    EXPECT_EQ(event.GetScaleX(), 1.0);
    EXPECT_EQ(event.GetScaleY(), 1.0);
    // Without a record the record-backed answers are all "no".
    EXPECT_FALSE(event.IsPositioned());
    EXPECT_FALSE(event.IsComment());
    EXPECT_FALSE(event.EndsAtOrAfter(0));
    EXPECT_EQ(event.GetDuration(), 0);
    const char16_t* name = nullptr;
    EXPECT_FALSE(event.GetStyleName(name));
    std::byte buffer[256];
    EXPECT_EQ(event.WriteRecord(buffer, sizeof buffer), 0u);
}

TEST(TTextEventRecord, OwnedRecordStartsAsDefault) {
    TTextEvent event;
    TTextEventRecord* record = event.AttachRecord(nullptr);
    ASSERT_NE(record, nullptr);
    EXPECT_TRUE(event.OwnsRecord());
    EXPECT_FALSE(event.IsBorrowed());
    EXPECT_TRUE(event.IsTextChanged());
    EXPECT_EQ(event.GetRecord(), &record->head);
    EXPECT_EQ(record->head.kind, kSubItemText);
    EXPECT_EQ(record->head.posX, -1);
    EXPECT_EQ(record->head.posY, -1);
    EXPECT_EQ(record->wrapStyle, 4);
    EXPECT_EQ(record->alignment, 0);
    const char16_t* name = nullptr;
    ASSERT_TRUE(event.GetStyleName(name));
    EXPECT_EQ(std::u16string_view(name), u"Default");
    EXPECT_EQ(event.GetRecordSize(), 204u);
}

TEST(TTextEventRecord, SerialisesWithAndWithoutText) {
    TTextEvent event;
    event.AttachRecord(nullptr);
    event.GetTextRecord()->head.start = 1000;
    event.GetTextRecord()->head.size = 7; // whatever was there, the written size is the real one
    EXPECT_EQ(Serialise(event).size(), 204u);
    std::uint32_t size = 0;
    std::memcpy(&size, Serialise(event).data() + 8, 4);
    EXPECT_EQ(size, 204u);

    event.SetText(u"Hi", false);
    const std::vector<std::byte> bytes = Serialise(event);
    ASSERT_EQ(bytes.size(), 210u);
    std::memcpy(&size, bytes.data() + 8, 4);
    EXPECT_EQ(size, 210u);
    char16_t text[3];
    std::memcpy(text, bytes.data() + 196, sizeof text);
    EXPECT_EQ(text[0], u'H');
    EXPECT_EQ(text[1], u'i');
    EXPECT_EQ(text[2], u'\0');
    std::int32_t start = 0;
    std::memcpy(&start, bytes.data() + 32, 4);
    EXPECT_EQ(start, 1000);

    // Too small a destination is refused untouched.
    std::vector<std::byte> small(209, std::byte{0x55});
    EXPECT_EQ(event.WriteRecord(small.data(), small.size()), 0u);
    EXPECT_EQ(small[0], std::byte{0x55});
}

TEST(TTextEventRecord, BorrowsASerialisedRecordInPlace) {
    TTextEvent source;
    Parse(source, u"{\\b1}Hi there");
    source.GetTextRecord()->head.end = 2500;
    std::vector<std::byte> block = Serialise(source);

    TTextEvent borrowed;
    borrowed.AttachRecord(reinterpret_cast<TTextEventRecord*>(block.data()));
    EXPECT_TRUE(borrowed.IsBorrowed());
    EXPECT_FALSE(borrowed.OwnsRecord());
    EXPECT_EQ(borrowed.GetText(), u"{\\b1}Hi there");
    EXPECT_EQ(borrowed.GetRecordSize(), block.size());
    borrowed.BuildRuns();
    EXPECT_EQ(DumpRuns(borrowed), "{1} W(Hi) B1 W(there) E");
    // The block keeps the source text: the event can be parsed and sent again.
    EXPECT_EQ(borrowed.GetText(), u"{\\b1}Hi there");
    EXPECT_EQ(Serialise(borrowed), block);
    EXPECT_TRUE(borrowed.EndsAtOrAfter(2499));

    // Changing the text leaves the block alone.
    borrowed.SetText(u"!", true);
    EXPECT_EQ(borrowed.GetText(), u"{\\b1}Hi there!");
    const char16_t* inBlock = reinterpret_cast<const char16_t*>(block.data() + 196);
    EXPECT_EQ(std::u16string_view(inBlock), u"{\\b1}Hi there");
}

TEST(TTextEventRecord, BorrowedTextNeverPassesTheRecordSize) {
    std::vector<std::byte> block(216, std::byte{0x41});
    TTextEventRecord record{};
    record.head.kind = kSubItemText;
    record.head.size = 210; // room for 7 units from offset 196, none of them zero
    std::memcpy(block.data(), &record, sizeof record - 8);
    TTextEvent event;
    event.AttachRecord(reinterpret_cast<TTextEventRecord*>(block.data()));
    EXPECT_EQ(event.GetText().size(), 7u);

    record.head.size = 204; // no text part at all
    std::memcpy(block.data(), &record, sizeof record - 8);
    TTextEvent empty;
    empty.AttachRecord(reinterpret_cast<TTextEventRecord*>(block.data()));
    EXPECT_FALSE(empty.HasText());
}

TEST(TTextEventText, SetsAppendsAndDropsText) {
    TTextEvent event;
    event.AttachRecord(nullptr);
    event.ClearTextChanged();
    event.SetText(u"ab", false);
    EXPECT_TRUE(event.IsTextChanged());
    event.SetText(u"cd", true);
    EXPECT_EQ(event.GetText(), u"abcd");
    event.SetText(u"x", false);
    EXPECT_EQ(event.GetText(), u"x");
    event.SetText(static_cast<const char16_t*>(nullptr), false);
    EXPECT_FALSE(event.HasText());
    EXPECT_EQ(event.GetRecordSize(), 204u);
    event.SetText(u"", false);
    EXPECT_TRUE(event.HasText());
    EXPECT_EQ(event.GetRecordSize(), 206u);
}

TEST(TTextEventText, ConvertsFromACodePage) {
    TTextEvent event;
    ASSERT_TRUE(event.SetTextAnsi("caf\xE9", 1252, false));
    EXPECT_EQ(event.GetText(), u"caf\u00E9");
    ASSERT_TRUE(event.SetTextAnsi(" \xC3\xA9t\xC3\xA9", 65001, true));
    EXPECT_EQ(event.GetText(), u"caf\u00E9 \u00E9t\u00E9");
    EXPECT_FALSE(event.SetTextAnsi(nullptr, 1252, false));
    EXPECT_FALSE(event.SetTextAnsi("x", 99999, false));
    EXPECT_EQ(event.GetText(), u"caf\u00E9 \u00E9t\u00E9");
}

TEST(TTextEventRuns, LinksRunsByOffset) {
    TTextEvent event;
    Parse(event, u"{\\fs20}ab c\\N");
    const std::span<const std::byte> block = event.GetRunBlock();
    std::uint32_t head = 1;
    std::memcpy(&head, block.data(), 4);
    EXPECT_EQ(head, 0u);
    // Override block (28 + opcode 20 with its operand + end = 34 bytes), word, blank, word, break, end.
    struct Expected {
        std::int32_t offset, previous, next;
        TTextRunKind kind;
        std::int32_t first, count;
    };
    const Expected expected[] = {
        {4, 0, 38, kRunOverrideBlock, 0, 0}, {38, 4, 66, kRunWord, 0, 2},
        {66, 38, 94, kRunBlanks, 2, 1},      {94, 66, 122, kRunWord, 2, 1},
        {122, 94, 150, kRunHardBreak, 3, 1}, {150, 122, 0, kRunEnd, 3, 0},
    };
    const TTextRun* run = event.GetRun(kFirstRun);
    for (const Expected& e : expected) {
        ASSERT_NE(run, nullptr);
        EXPECT_EQ(run, event.GetRun(e.offset));
        EXPECT_EQ(std::int32_t{run->previous}, e.previous);
        EXPECT_EQ(std::int32_t{run->next}, e.next);
        EXPECT_EQ(run->Kind(), e.kind);
        EXPECT_EQ(std::int32_t{run->first}, e.first);
        EXPECT_EQ(std::int32_t{run->count}, e.count);
        run = event.NextRun(run);
    }
    EXPECT_EQ(run, nullptr);
    EXPECT_EQ(block.size(), 178u);
    EXPECT_EQ(event.GetRun(160), nullptr);
}

TEST(TTextEventRuns, ParsingResetsThePositionButKeepsOverrides) {
    TTextEvent event;
    Parse(event, u"{\\pos(5,6)\\a6\\q2}x");
    EXPECT_TRUE(event.IsPositioned());
    event.SetText(u"y", false);
    event.BuildRuns();
    EXPECT_FALSE(event.IsPositioned());
    EXPECT_EQ(event.GetTextRecord()->head.posX, -1);
    EXPECT_EQ(event.GetTextRecord()->alignment, 134);
    EXPECT_EQ(event.GetTextRecord()->wrapStyle, 130);
    event.SetText(static_cast<const char16_t*>(nullptr), false);
    event.BuildRuns();
    EXPECT_FALSE(event.HasRuns());
}

TEST(TTextEventRuns, ReparsesOnlyForItsOwnStyle) {
    TSubtitleStyleRecord bound{};
    TSubtitleStyleRecord other{};
    TTextEvent event;
    event.SetStyleAndScreen(&bound, nullptr);
    Parse(event, u"a b");
    event.SetText(u"c", false);
    event.Reparse(&other);
    EXPECT_EQ(DumpRuns(event), "W(a) B1 W(b) E");
    event.Reparse(&bound);
    EXPECT_EQ(DumpRuns(event), "W(c) E");
    // Parsing twice gives the same runs: the source text is not compacted away.
    event.Reparse(&bound);
    EXPECT_EQ(DumpRuns(event), "W(c) E");
}

TEST(TTextEventCopy, AssignCopiesRecordTextAndRuns) {
    TTextEvent source;
    Parse(source, u"{\\i1}x y");
    source.GetTextRecord()->head.layer = 3;
    std::vector<std::byte> block = Serialise(source);
    TTextEvent borrowed;
    borrowed.AttachRecord(reinterpret_cast<TTextEventRecord*>(block.data()));
    borrowed.BuildRuns();

    TTextEvent copy;
    copy.Assign(borrowed);
    EXPECT_TRUE(copy.OwnsRecord());
    EXPECT_NE(copy.GetTextRecord(), borrowed.GetTextRecord());
    EXPECT_EQ(copy.GetTextRecord()->head.layer, 3);
    EXPECT_EQ(copy.GetText(), borrowed.GetText());
    EXPECT_EQ(DumpRuns(copy), DumpRuns(borrowed));
    EXPECT_EQ(Serialise(copy), Serialise(borrowed));
    copy.Assign(copy);
    EXPECT_EQ(copy.GetText(), u"{\\i1}x y");
}

TEST(TSubEventsBase, BaseItemRecordAndBindings) {
    TSubEvents item(kSubItemBitmap);
    item.CreateRecord();
    EXPECT_EQ(item.GetRecord()->kind, kSubItemBitmap);
    EXPECT_EQ(item.GetRecord()->posX, -1);
    EXPECT_EQ(item.GetRecordSize(), 56u);
    item.SetKind(7);
    EXPECT_EQ(item.GetRecord()->kind, 7);
    std::byte out[56];
    ASSERT_EQ(item.WriteRecord(out, sizeof out), 56u);
    std::uint32_t size = 0;
    std::memcpy(&size, out + 8, 4);
    EXPECT_EQ(size, 56u);
    const char16_t* name = nullptr;
    EXPECT_FALSE(item.GetStyleName(name));

    TSubtitleStyleRecord style{};
    TSubScreenControler screen(TScreenSize{640, 480});
    item.SetStyleAndScreen(&style, &screen);
    item.SetStyleAndScreen(nullptr, nullptr);
    EXPECT_EQ(item.GetStyle(), &style);
    EXPECT_EQ(item.GetScreen(), &screen);
    item.SetExtent(10, 20);
    std::int32_t w = 0, h = 0;
    item.GetExtent(w, h);
    EXPECT_EQ(w, 10);
    EXPECT_EQ(h, 20);

    TTextEvent text;
    text.AttachRecord(nullptr);
    text.GetTextRecord()->head.start = 100;
    text.GetTextRecord()->head.end = 350;
    text.GetTextRecord()->head.comment = 1;
    EXPECT_TRUE(item.AssignRecord(text));
    EXPECT_EQ(item.GetDuration(), 250);
    EXPECT_TRUE(item.IsComment());
    TSubEvents empty(kSubItemBitmap);
    EXPECT_FALSE(item.AssignRecord(empty));
}

// An event is shown from its start up to, not including, its end.
TEST(TSubEventsBase, EventIsNotShownAtItsEnd) {
    TTextEvent event;
    event.AttachRecord(nullptr);
    event.GetTextRecord()->head.start = 0;
    event.GetTextRecord()->head.end = 1000;
    EXPECT_TRUE(event.EndsAtOrAfter(0));
    EXPECT_TRUE(event.EndsAtOrAfter(999));
    EXPECT_FALSE(event.EndsAtOrAfter(1000));
}

} // namespace
