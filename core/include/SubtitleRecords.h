#pragma once
// The style and event records that subtitle scripts keep in memory and that travel to the core with
// orders 502 and 503. Little-endian, UTF-16LE text, offsets fixed. The records are packed to 2 bytes:
// the offsets are those of the wire format, and a serialised event record in a page block always
// starts at an even offset (its size is even) but not always at a multiple of 4, so the core can use
// a received record in place. Read the 32-bit fields of such a record by value: a reference bound to
// one (as a by-reference parameter would take it) may be misaligned.
#include "core/include/VokradOrders.h"

#include <cstddef>
#include <cstdint>

// Text field widths in UTF-16 units, terminator included.
inline constexpr std::size_t kStyleNameUnits = 50;
inline constexpr std::size_t kStyleFontNameUnits = 100;

inline constexpr std::size_t kSubEventRecordBytes = 56;
inline constexpr std::size_t kTextEventRecordBytes = 204;
// A serialised text event writes its text from here, over the record's last 8 bytes.
inline constexpr std::size_t kTextEventTextOffset = 196;
// The block head of a page (order 502): head size, key, event count.
inline constexpr std::size_t kPageBlockHeadBytes = 12;
// What the sender adds to the sum of the record sizes: the order head (8) and the page head words.
inline constexpr std::size_t kPageOrderHeadBytes = 24;

// Item kinds of the kind byte.
inline constexpr std::uint8_t kSubItemText = 1;
inline constexpr std::uint8_t kSubItemBitmap = 5;

// Alignment and wrap style at or above this came from an override tag: 128 + the tag's number.
inline constexpr std::int32_t kOverrideTagBit = 128;
// Wrap style of a freshly created event.
inline constexpr std::int32_t kDefaultWrapStyle = 4;

#pragma pack(push, 2)

// One subtitle style (order 503 sub-code 4, order 604, and the script's style list).
struct TSubtitleStyleRecord {
    char16_t name[kStyleNameUnits];         // Name, at most 49 characters
    char16_t fontName[kStyleFontNameUnits]; // Fontname, at most 99 characters
    std::int32_t fontSize;                  // Fontsize, points
    std::uint32_t primaryColour;            // 0x00BBGGRR
    std::uint32_t secondaryColour;
    std::uint32_t tertiaryColour;
    std::uint32_t outlineColour; // kept, not drawn
    std::uint32_t backColour;    // shadow, outline and opaque box
    std::int32_t bold;           // 0 normal; 1 or negative 700; 2 and above the weight
    std::int32_t italic;
    std::int32_t underline;
    std::int32_t strikeout;
    std::int32_t reserved340;
    std::int32_t scaleX; // percent, kept
    std::int32_t scaleY;
    std::int32_t spacing; // extra character spacing in pixels
    std::int32_t reserved356;
    std::int32_t borderStyle; // 1 outline and shadow, 2 opaque box, 0 plain
    std::int32_t outline;
    std::int32_t shadow;
    std::int32_t alignment; // v4 numbering
    std::int32_t marginL;   // taken unscaled by the layout
    std::int32_t marginR;
    std::int32_t marginV;
    std::int32_t alphaLevel;
    std::int32_t encoding; // character set, low byte; 0 the default set
    std::int32_t reserved396;
    std::int32_t wordWrap; // IntelWordWraping
};
static_assert(sizeof(TSubtitleStyleRecord) == kStyleRecordBytes);
static_assert(offsetof(TSubtitleStyleRecord, fontName) == 100);
static_assert(offsetof(TSubtitleStyleRecord, fontSize) == 300);
static_assert(offsetof(TSubtitleStyleRecord, primaryColour) == 304);
static_assert(offsetof(TSubtitleStyleRecord, tertiaryColour) == 312);
static_assert(offsetof(TSubtitleStyleRecord, outlineColour) == 316);
static_assert(offsetof(TSubtitleStyleRecord, backColour) == 320);
static_assert(offsetof(TSubtitleStyleRecord, bold) == 324);
static_assert(offsetof(TSubtitleStyleRecord, strikeout) == 336);
static_assert(offsetof(TSubtitleStyleRecord, scaleX) == 344);
static_assert(offsetof(TSubtitleStyleRecord, spacing) == 352);
static_assert(offsetof(TSubtitleStyleRecord, borderStyle) == 360);
static_assert(offsetof(TSubtitleStyleRecord, alignment) == 372);
static_assert(offsetof(TSubtitleStyleRecord, marginL) == 376);
static_assert(offsetof(TSubtitleStyleRecord, marginV) == 384);
static_assert(offsetof(TSubtitleStyleRecord, alphaLevel) == 388);
static_assert(offsetof(TSubtitleStyleRecord, encoding) == 392);
static_assert(offsetof(TSubtitleStyleRecord, wordWrap) == 400);

// The 56-byte head of every event record.
struct TSubEventRecord {
    std::uint8_t comment; // 1 for a "Comment" line
    std::uint8_t kind;    // kSubItemText, kSubItemBitmap
    std::uint8_t reserved2[6];
    std::uint32_t size;            // bytes of the serialised record, head, text part and text
    std::uint8_t positioned;       // set by a \pos tag
    std::uint8_t placedByPosition; // set by a \pos tag; the renderer's test
    std::uint8_t reserved14[2];
    std::int32_t layer;
    std::int32_t posX; // script units, -1 when none
    std::int32_t posY;
    std::int32_t reserved28;
    std::int32_t start; // milliseconds; the event is shown from start up to, not including, end
    std::int32_t end;
    std::int32_t resX; // PlayResX, 0 when none
    std::int32_t resY;
    std::uint32_t clientReference; // the sender's own value; the core ignores it
    std::uint32_t clientValue;
};
static_assert(sizeof(TSubEventRecord) == kSubEventRecordBytes);
static_assert(offsetof(TSubEventRecord, kind) == 1);
static_assert(offsetof(TSubEventRecord, size) == 8);
static_assert(offsetof(TSubEventRecord, positioned) == 12);
static_assert(offsetof(TSubEventRecord, placedByPosition) == 13);
static_assert(offsetof(TSubEventRecord, layer) == 16);
static_assert(offsetof(TSubEventRecord, posX) == 20);
static_assert(offsetof(TSubEventRecord, posY) == 24);
static_assert(offsetof(TSubEventRecord, start) == 32);
static_assert(offsetof(TSubEventRecord, end) == 36);
static_assert(offsetof(TSubEventRecord, resX) == 40);
static_assert(offsetof(TSubEventRecord, resY) == 44);
static_assert(offsetof(TSubEventRecord, clientReference) == 48);
static_assert(offsetof(TSubEventRecord, clientValue) == 52);

// A text event: the head, then the event's own fields. Serialised, the text (UTF-16, terminated)
// starts at kTextEventTextOffset and the size is 204 without text, else 206 + 2 x its length.
struct TTextEventRecord {
    TSubEventRecord head;
    char16_t styleName[kStyleNameUnits]; // "Default" for a new event
    std::int32_t effectiveMarginL;       // screen pixels, written by the layout
    std::int32_t effectiveMarginR;
    std::int32_t effectiveMarginV;
    std::int32_t marginL; // script units; 0 = the style's
    std::int32_t marginR;
    std::int32_t marginV;
    std::int32_t alignment; // below 128 the style's value; 128 + n after an alignment tag
    std::int32_t wrapStyle; // the script's value; 128 + n after a \q tag
    std::uint8_t marked;
    std::uint8_t reserved189[3];
    std::int32_t effect;
    std::uint8_t textArea[8]; // zero in memory; the serialised text starts here
};
static_assert(sizeof(TTextEventRecord) == kTextEventRecordBytes);
static_assert(offsetof(TTextEventRecord, styleName) == 56);
static_assert(offsetof(TTextEventRecord, effectiveMarginL) == 156);
static_assert(offsetof(TTextEventRecord, effectiveMarginV) == 164);
static_assert(offsetof(TTextEventRecord, marginL) == 168);
static_assert(offsetof(TTextEventRecord, marginV) == 176);
static_assert(offsetof(TTextEventRecord, alignment) == 180);
static_assert(offsetof(TTextEventRecord, wrapStyle) == 184);
static_assert(offsetof(TTextEventRecord, marked) == 188);
static_assert(offsetof(TTextEventRecord, effect) == 192);
static_assert(offsetof(TTextEventRecord, textArea) == kTextEventTextOffset);

// The page block of order 502 from its block head on: this is what the core copies into a page.
// The serialised event records follow it back to back, each stepping by its own size field.
struct TSubtitlePageBlockHead {
    std::uint32_t headSize; // kPageBlockHeadBytes
    std::uint32_t key;      // title, or title x 256 + chapter in profile mode
    std::uint32_t count;    // number of event records
};
static_assert(sizeof(TSubtitlePageBlockHead) == kPageBlockHeadBytes);
static_assert(offsetof(TSubtitlePageBlockHead, key) == 4);
static_assert(offsetof(TSubtitlePageBlockHead, count) == 8);

#pragma pack(pop)

// The order-502 record of VokradOrders.h carries the page block head at offset 12.
static_assert(offsetof(TOrderSubtitlePages, length) == 8);
static_assert(offsetof(TOrderSubtitlePages, pageHeadSize) == 12);
static_assert(offsetof(TOrderSubtitlePages, title) == 16);
static_assert(offsetof(TOrderSubtitlePages, itemCount) == 20);
static_assert(sizeof(TOrderSubtitlePages) == kPageOrderHeadBytes);
static_assert(offsetof(TOrderStyles, style) == 12);

// Size of a serialised text event with a text of `textLength` characters (no text: 204).
constexpr std::size_t TextEventWireSize(bool hasText, std::size_t textLength) {
    return hasText ? kTextEventRecordBytes + 2 * (textLength + 1) : kTextEventRecordBytes;
}
static_assert(TextEventWireSize(false, 0) == 204);
static_assert(TextEventWireSize(true, 2) == 210);
