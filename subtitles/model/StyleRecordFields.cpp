#include "subtitles/model/StyleRecordFields.h"

#include "platform/text/CaseFold.h"
#include "subtitles/model/FixedText.h"

#include <array>
#include <cstring>

namespace {

using enum TStyleFieldType;

#define STYLE_FIELD(key, type, member)                                                                       \
    TStyleField {                                                                                            \
        key, type, offsetof(TSubtitleStyleRecord, member), sizeof(TSubtitleStyleRecord::member) / 2          \
    }

const std::array kFields{
    STYLE_FIELD(u"Name", Text, name),
    STYLE_FIELD(u"Fontname", Text, fontName),
    STYLE_FIELD(u"Fontsize", Integer, fontSize),
    STYLE_FIELD(u"PrimaryColour", Colour, primaryColour),
    STYLE_FIELD(u"SecondaryColour", Colour, secondaryColour),
    STYLE_FIELD(u"TertiaryColour", Colour, tertiaryColour),
    STYLE_FIELD(u"OutlineColour", Colour, outlineColour),
    STYLE_FIELD(u"BackColour", Colour, backColour),
    STYLE_FIELD(u"Bold", Integer, bold),
    STYLE_FIELD(u"Italic", Integer, italic),
    STYLE_FIELD(u"Underline", Integer, underline),
    STYLE_FIELD(u"Strikeout", Integer, strikeout),
    STYLE_FIELD(u"ScaleX", Integer, scaleX),
    STYLE_FIELD(u"ScaleY", Integer, scaleY),
    STYLE_FIELD(u"Spacing", Integer, spacing),
    STYLE_FIELD(u"BorderStyle", Integer, borderStyle),
    STYLE_FIELD(u"Outline", Integer, outline),
    STYLE_FIELD(u"Shadow", Integer, shadow),
    STYLE_FIELD(u"Alignment", Alignment, alignment),
    STYLE_FIELD(u"MarginL", Integer, marginL),
    STYLE_FIELD(u"MarginR", Integer, marginR),
    STYLE_FIELD(u"MarginV", Integer, marginV),
    STYLE_FIELD(u"AlphaLevel", Integer, alphaLevel),
    STYLE_FIELD(u"Encoding", Integer, encoding),
    STYLE_FIELD(u"IntelWordWraping", Integer, wordWrap),
};

#undef STYLE_FIELD

std::byte* FieldAddress(TSubtitleStyleRecord& style, const TStyleField& field) {
    return reinterpret_cast<std::byte*>(&style) + field.offset;
}

const std::byte* FieldAddress(const TSubtitleStyleRecord& style, const TStyleField& field) {
    return reinterpret_cast<const std::byte*>(&style) + field.offset;
}

} // namespace

std::span<const TStyleField> StyleFields() {
    return kFields;
}

const TStyleField* FindStyleField(std::u16string_view key) {
    for (const TStyleField& field : kFields) {
        if (plat::text::EqualsNoCase(field.key, key)) {
            return &field;
        }
    }
    return nullptr;
}

void SetStyleFieldText(TSubtitleStyleRecord& style, const TStyleField& field, std::u16string_view text) {
    if (field.type == TStyleFieldType::Text) {
        SetFixedText(reinterpret_cast<char16_t*>(FieldAddress(style, field)), field.units, text);
    }
}

std::u16string_view GetStyleFieldText(const TSubtitleStyleRecord& style, const TStyleField& field) {
    if (field.type != TStyleFieldType::Text) {
        return {};
    }
    return FixedTextView(reinterpret_cast<const char16_t*>(FieldAddress(style, field)), field.units);
}

void SetStyleFieldValue(TSubtitleStyleRecord& style, const TStyleField& field, std::int32_t value) {
    if (field.type != TStyleFieldType::Text) {
        std::memcpy(FieldAddress(style, field), &value, sizeof value);
    }
}

std::int32_t GetStyleFieldValue(const TSubtitleStyleRecord& style, const TStyleField& field) {
    std::int32_t value = 0;
    if (field.type != TStyleFieldType::Text) {
        std::memcpy(&value, FieldAddress(style, field), sizeof value);
    }
    return value;
}

std::u16string_view GetStyleName(const TSubtitleStyleRecord& style) {
    return FixedTextView(style.name, kStyleNameUnits);
}

void SetStyleName(TSubtitleStyleRecord& style, std::u16string_view name) {
    SetFixedText(style.name, kStyleNameUnits, name);
}
