#include "subtitles/model/StyleRecordFields.h"

#include "subtitles/model/TTextEvent.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct FieldCase {
    const char16_t* key;
    TStyleFieldType type;
    std::size_t offset;
};

class StyleRecordFieldsTest : public testing::TestWithParam<FieldCase> {};

TEST_P(StyleRecordFieldsTest, FindsTheFieldByColumnName) {
    const FieldCase& c = GetParam();
    const TStyleField* field = FindStyleField(c.key);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->type, c.type);
    EXPECT_EQ(field->offset, c.offset);
    if (c.type != TStyleFieldType::Text) {
        TSubtitleStyleRecord style{};
        SetStyleFieldValue(style, *field, 0x01020304);
        std::int32_t stored = 0;
        std::memcpy(&stored, reinterpret_cast<const std::byte*>(&style) + c.offset, 4);
        EXPECT_EQ(stored, 0x01020304);
        EXPECT_EQ(GetStyleFieldValue(style, *field), 0x01020304);
    }
}

using enum TStyleFieldType;
INSTANTIATE_TEST_SUITE_P(
    Columns, StyleRecordFieldsTest,
    testing::Values(FieldCase{u"Name", Text, 0}, FieldCase{u"fontname", Text, 100},
                    FieldCase{u"Fontsize", Integer, 300}, FieldCase{u"PrimaryColour", Colour, 304},
                    FieldCase{u"SecondaryColour", Colour, 308}, FieldCase{u"TertiaryColour", Colour, 312},
                    FieldCase{u"OutlineColour", Colour, 316}, FieldCase{u"BACKCOLOUR", Colour, 320},
                    FieldCase{u"Bold", Integer, 324}, FieldCase{u"Italic", Integer, 328},
                    FieldCase{u"Underline", Integer, 332}, FieldCase{u"StrikeOut", Integer, 336},
                    FieldCase{u"ScaleX", Integer, 344}, FieldCase{u"ScaleY", Integer, 348},
                    FieldCase{u"Spacing", Integer, 352}, FieldCase{u"BorderStyle", Integer, 360},
                    FieldCase{u"Outline", Integer, 364}, FieldCase{u"Shadow", Integer, 368},
                    FieldCase{u"Alignment", Alignment, 372}, FieldCase{u"MarginL", Integer, 376},
                    FieldCase{u"MarginR", Integer, 380}, FieldCase{u"MarginV", Integer, 384},
                    FieldCase{u"AlphaLevel", Integer, 388}, FieldCase{u"Encoding", Integer, 392},
                    FieldCase{u"IntelWordWraping", Integer, 400}));

TEST(StyleRecordFields, UnknownColumnsAreNotFields) {
    EXPECT_EQ(FindStyleField(u"Angle"), nullptr);
    EXPECT_EQ(FindStyleField(u"Nam"), nullptr);
    EXPECT_EQ(FindStyleField(u""), nullptr);
    EXPECT_EQ(StyleFields().size(), 25u);
}

TEST(StyleRecordFields, TextFieldsAreCutToTheirWidth) {
    TSubtitleStyleRecord style{};
    std::memset(&style, 0x7F, sizeof style);
    const std::u16string longName(60, u'n');
    SetStyleFieldText(style, *FindStyleField(u"Name"), longName);
    EXPECT_EQ(GetStyleName(style), std::u16string(49, u'n'));
    EXPECT_EQ(style.name[49], u'\0');
    const std::u16string longFace(150, u'f');
    SetStyleFieldText(style, *FindStyleField(u"Fontname"), longFace);
    EXPECT_EQ(GetStyleFieldText(style, *FindStyleField(u"Fontname")), std::u16string(99, u'f'));
    // The rest of the field is zero-filled and the next field untouched.
    SetStyleName(style, u"Default");
    EXPECT_EQ(style.name[7], u'\0');
    EXPECT_EQ(style.name[48], u'\0');
    EXPECT_EQ(GetStyleName(style), u"Default");
    EXPECT_EQ(style.fontName[0], u'f');
}

// Byte images of the records as they travel: an event without text, with "Hi", and a page block.
TEST(SubtitleRecords, PageBlockOfTwoEventsIs446Bytes) {
    TTextEvent first;
    first.AttachRecord(nullptr);
    first.SetText(u"Hi", false);
    TTextEvent second;
    second.AttachRecord(nullptr);
    second.SetText(u"Bye", false);
    const std::size_t total = kPageOrderHeadBytes + first.GetRecordSize() + second.GetRecordSize();
    EXPECT_EQ(total, 446u);

    std::vector<std::byte> order(total);
    TOrderSubtitlePages head{
        {0, static_cast<std::uint32_t>(total)}, static_cast<std::uint32_t>(total), kPageBlockHeadBytes, 7, 2};
    std::memcpy(order.data(), &head, sizeof head);
    std::size_t at = sizeof head;
    at += first.WriteRecord(order.data() + at, order.size() - at);
    at += second.WriteRecord(order.data() + at, order.size() - at);
    EXPECT_EQ(at, total);

    TSubtitlePageBlockHead block{};
    std::memcpy(&block, order.data() + 12, sizeof block);
    EXPECT_EQ(block.headSize, 12u);
    EXPECT_EQ(block.key, 7u);
    EXPECT_EQ(block.count, 2u);
    TTextEvent copy;
    copy.AttachRecord(reinterpret_cast<TTextEventRecord*>(order.data() + 24 + 210));
    EXPECT_EQ(copy.GetText(), u"Bye");
    // The record sits at offset 234 of the block: its 32-bit fields are read by value, not bound.
    const std::uint32_t size = copy.GetTextRecord()->head.size;
    EXPECT_EQ(size, 212u);
}

} // namespace
