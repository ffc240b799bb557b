#pragma once
// A subtitle text event: its 204-byte record (owned, or borrowed in place from a serialised block),
// its UTF-16 text with SubStation override tags, and once parsed the run list: words, blanks, breaks
// and override blocks compiled into opcodes, over the compacted visible text.
//
// The source text is never rewritten: BuildRuns keeps the compacted text apart, so an event can be
// parsed again (Reparse), serialised (WriteRecord) and written back with tags (WriteSsaText) at any
// time, and a borrowed record block stays as it was received.
#include "subtitles/model/TOverrideOpReader.h"
#include "subtitles/model/TSubEvents.h"
#include "subtitles/model/TTextRun.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TMemoryObject;

class TTextEvent : public TSubEvents {
public:
    // Kind 1, scales 1.0, no record, text or runs.
    TTextEvent();
    ~TTextEvent() override;

    bool GetStyleName(const char16_t*& name) const override;
    // Lays the event out with its own wrap style (TTextLayout).
    void Layout(plat::gdi::TextMeasurer* measurer, TFontPool* pool) override;
    // The same with `wrapOverride` (0 or more) in place of the wrap style for this layout.
    void LayoutWith(TFontPool& pool, std::int32_t wrapOverride);
    // Draws the laid-out runs at (x, y) (TTextPainter::DrawRuns); the horizontal scale is not used.
    bool Draw(plat::gdi::Dc* dc, std::int32_t x, std::int32_t y, std::int32_t colourIndex, TFontPool* pool,
              double verticalScale, double horizontalScale) override;
    // Rebuilds the runs when `style` is the bound style.
    void Reparse(const TSubtitleStyleRecord* style) override;
    // AttachRecord(nullptr).
    void CreateRecord() override;
    // 204 without text, else 204 + 2 x (text length + 1).
    std::size_t GetRecordSize() const override;
    // The 204-byte record, then (with text) the text and a zero character from offset 196; the size
    // field of the copy holds GetRecordSize().
    std::size_t WriteRecord(void* destination, std::size_t capacity) const override;

    // With a record: borrows it and the text that follows it (present when its size field is above
    // 204; read up to its terminator, never past the size). The record starts at an even address and
    // its bytes [0, max(204, size)) stay readable and writable while the event lives (CheckPageBlock
    // vouches for both in a page block). Without one: an owned zeroed record
    // named "Default" with the event's kind, wrap style 4 and position -1, -1. Both ways the text is
    // marked changed. Answers the record.
    TTextEventRecord* AttachRecord(TTextEventRecord* record);

    // Replaces (or appends to) the text; null drops it. Marks the text changed.
    void SetText(const char16_t* text, bool append);
    void SetText(std::u16string_view text, bool append);
    // The same from 8-bit text in a code page (Windows number); false for no text or an unknown
    // code page, with the text unchanged.
    bool SetTextAnsi(const char* text, std::uint32_t codePage, bool append);

    // Parses the text into the run list and the compacted text (words only, in order). Resets the
    // record's position to -1, -1 and its positioned flags; alignment and wrap-style overrides set
    // by earlier parses stay. Without text there are no runs.
    void BuildRuns();
    // Writes the runs back as SubStation text with tags ("{\a%d}", "{\q%d}" for overrides first),
    // then a counted zero character. With `layoutBreaks`, soft breaks and hard blanks are written as
    // blanks and "\n" follows every run the layout ends a line after. False without runs.
    bool WriteSsaText(TMemoryObject& out, bool layoutBreaks) const;

    // Becomes a copy of the other event: record, text, compacted text and runs; the record is owned.
    void Assign(const TTextEvent& other);

    // The event's text (its source, tags included); empty without text.
    std::u16string_view GetText() const;
    bool HasText() const { return TextPresent; }
    // The visible characters the runs index, after BuildRuns.
    std::u16string_view GetCompactedText() const { return Compacted; }
    bool IsTextChanged() const { return TextChanged; }
    void ClearTextChanged() { TextChanged = false; }
    bool IsBorrowed() const { return Borrowed; }

    TTextEventRecord* GetTextRecord() { return TextRecord; }
    const TTextEventRecord* GetTextRecord() const { return TextRecord; }

    // The run block: a zero word, then the runs and opcode lists.
    std::span<const std::byte> GetRunBlock() const { return Runs; }
    bool HasRuns() const { return !Runs.empty(); }
    // The run at a block offset (kFirstRun for the first); nullptr when no run fits there.
    TTextRun* GetRun(std::int32_t offset);
    const TTextRun* GetRun(std::int32_t offset) const;
    // The run after `run`; nullptr after the end run.
    TTextRun* NextRun(const TTextRun* run);
    const TTextRun* NextRun(const TTextRun* run) const;
    // The opcodes of an override-block run.
    TOverrideOpReader GetOpcodes(const TTextRun* run) const;
    // Characters of a word run in the compacted text (empty for other runs or bad indexes).
    std::u16string_view GetRunText(const TTextRun* run) const;

private:
    std::int32_t OffsetOf(const TTextRun* run) const;

    std::unique_ptr<TTextEventRecord> OwnedTextRecord;
    TTextEventRecord* TextRecord = nullptr;
    std::u16string OwnText;
    const char16_t* BorrowedText = nullptr;
    std::size_t BorrowedLength = 0;
    bool TextPresent = false;
    bool TextChanged = false;
    bool Borrowed = false;
    std::vector<std::byte> Runs;
    std::u16string Compacted;
};
