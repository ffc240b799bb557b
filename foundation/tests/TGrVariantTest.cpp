#include "foundation/TGrVariant.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

TEST(TGrVariantTest, SettersLeaveTypeAndExactContent) {
    struct Case {
        const char* name;
        std::function<void(TGrVariant&)> apply;
        uint8_t type;
        std::string bytes;
    };
    const Case cases[] = {
        {"new", [](TGrVariant&) {}, TGrVariant::vtEmpty, ""},
        {"empty string", [](TGrVariant& v) { v.SetString(u""); }, TGrVariant::vtText, std::string(2, '\0')},
        {"no string", [](TGrVariant& v) { v.SetString(nullptr); }, TGrVariant::vtText, std::string(2, '\0')},
        {"string", [](TGrVariant& v) { v.SetString(u"ab"); }, TGrVariant::vtText,
         std::string("a\0b\0\0\0", 6)},
        {"int after string",
         [](TGrVariant& v) {
             v.SetString(u"a long text value");
             v.SetInt(-2);
         },
         TGrVariant::vtInt, std::string("\xFE\xFF\xFF\xFF", 4)},
        {"string after int",
         [](TGrVariant& v) {
             v.SetInt(7);
             v.SetString(u"x");
         },
         TGrVariant::vtText, std::string("x\0\0\0", 4)},
        {"clear", [](TGrVariant& v) { v.SetInt(7), v.Clear(); }, TGrVariant::vtEmpty, ""},
        {"type only",
         [](TGrVariant& v) {
             v.SetInt(7);
             v.SetType(TGrVariant::vtText);
         },
         TGrVariant::vtText, std::string("\x07\0\0\0", 4)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TGrVariant v(8);
        c.apply(v);
        EXPECT_EQ(v.Type, c.type);
        EXPECT_EQ(std::string(v.Data, static_cast<size_t>(v.Used)), c.bytes);
    }
}

TEST(TGrVariantTest, ResultsAndIntegerValue) {
    TGrVariant v(8);
    const char16_t* text = u"abc";
    EXPECT_EQ(v.SetString(text), text);
    EXPECT_EQ(std::u16string(v.Text()), u"abc"); // terminated inside the used length
    EXPECT_EQ(v.IntValue(), 0x00620061);
    EXPECT_EQ(v.SetInt(-123456), -123456);
    EXPECT_EQ(v.IntValue(), -123456);
    v.Clear();
    EXPECT_EQ(v.IntValue(), 0);
}

TEST(TGrVariantTest, ClearKeepsTheBlock) {
    TGrVariant v(4);
    v.SetString(u"a text longer than the step");
    const int32_t capacity = v.Capacity;
    v.Clear();
    EXPECT_EQ(v.Capacity, capacity);
    EXPECT_EQ(v.Used, 0);
}

TEST(TGrVariantTest, AssignCopiesContentAndTypeButNotItself) {
    TGrVariant text(8), number(8), target(8);
    text.SetString(u"hello");
    number.SetInt(42);

    const char* data = text.Data;
    EXPECT_EQ(&text.Assign(text), &text);
    EXPECT_EQ(text.Data, data);
    EXPECT_EQ(std::u16string(text.Text()), u"hello");
    EXPECT_EQ(text.Type, TGrVariant::vtText);

    target.Assign(text);
    EXPECT_EQ(target.Type, TGrVariant::vtText);
    EXPECT_EQ(std::u16string(target.Text()), u"hello");
    target.Assign(number);
    EXPECT_EQ(target.Type, TGrVariant::vtInt);
    EXPECT_EQ(target.Used, 4);
    EXPECT_EQ(target.IntValue(), 42);
}

} // namespace
