#pragma once
// The fields of TSubtitleStyleRecord by the column names of a script's style Format line, compared
// without regard to case, so that a reader can fill a style column by column.
#include "core/include/SubtitleRecords.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

enum class TStyleFieldType : std::uint8_t {
    Text,      // a fixed UTF-16 field
    Integer,   // a decimal integer
    Colour,    // a colour token ("&H..." or decimal)
    Alignment, // a decimal integer in the script's numbering (v4+ converts to v4 first)
};

struct TStyleField {
    std::u16string_view key; // the column name: "Name", "Fontname", "PrimaryColour", ...
    TStyleFieldType type;
    std::size_t offset; // in the record
    std::size_t units;  // Text: the field's UTF-16 units, terminator included
};

// Every column a style record stores; "Angle" and other columns are not among them.
std::span<const TStyleField> StyleFields();
// The field a column name stores into, or nullptr.
const TStyleField* FindStyleField(std::u16string_view key);

// Text fields: stored cut to the field.
void SetStyleFieldText(TSubtitleStyleRecord& style, const TStyleField& field, std::u16string_view text);
std::u16string_view GetStyleFieldText(const TSubtitleStyleRecord& style, const TStyleField& field);
// Integer, colour and alignment fields (colours as their 32-bit value).
void SetStyleFieldValue(TSubtitleStyleRecord& style, const TStyleField& field, std::int32_t value);
std::int32_t GetStyleFieldValue(const TSubtitleStyleRecord& style, const TStyleField& field);

// The style's name, and setting it cut to 49 characters.
std::u16string_view GetStyleName(const TSubtitleStyleRecord& style);
void SetStyleName(TSubtitleStyleRecord& style, std::u16string_view name);
