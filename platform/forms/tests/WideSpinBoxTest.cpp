// The spin box over 64-bit ranges: texts to numbers and back at both ends of both signs, what typing
// may leave in the box, and steps that stop at the range's ends.
#include "platform/forms/WideSpinBox.h"

#include <QLineEdit>
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>

namespace plat::forms::test {
namespace {

using Value = WideSpinBox::Value;
constexpr Value kInt64Min = std::numeric_limits<std::int64_t>::min();
constexpr Value kUint64Max = std::numeric_limits<std::uint64_t>::max();

TEST(WideSpinBoxTest, TextsAndNumbers) {
    struct Case {
        const char* text;
        std::optional<Value> number;
    };
    const Case cases[] = {
        {"0", 0},
        {"-9223372036854775808", kInt64Min},
        {"18446744073709551615", kUint64Max},
        {"+42", 42},
        {" 17 ", 17},
        {"99999999999999999999", Value(99999999999999999) * 1000 + 999},
        {"999999999999999999999", std::nullopt}, // 21 digits
        {"", std::nullopt},
        {"-", std::nullopt},
        {"12a", std::nullopt},
        {"--1", std::nullopt},
        {"\xd9\xa3", std::nullopt}, // an Arabic-Indic digit is not one of ours
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(WideSpinBox::Parse(QString::fromUtf8(c.text)) == c.number) << c.text;
    }
    for (const Value number : {Value(0), Value(-1), kInt64Min, kUint64Max}) {
        EXPECT_TRUE(WideSpinBox::Parse(WideSpinBox::Text(number)) == number);
    }
    EXPECT_EQ(WideSpinBox::Text(kUint64Max), QStringLiteral("18446744073709551615"));
    EXPECT_EQ(WideSpinBox::Text(kInt64Min), QStringLiteral("-9223372036854775808"));
}

TEST(WideSpinBoxTest, TypingStepsAndTheRange) {
    WideSpinBox box(-5, kUint64Max, nullptr);
    struct Case {
        const char* input;
        QValidator::State state;
    };
    const Case cases[] = {
        {"7", QValidator::Acceptable},    {"-5", QValidator::Acceptable},
        {"-", QValidator::Intermediate},  {"", QValidator::Intermediate},
        {"-6", QValidator::Intermediate}, {"18446744073709551616", QValidator::Intermediate},
        {"x", QValidator::Invalid},       {"1e5", QValidator::Invalid},
    };
    for (const Case& c : cases) {
        QString input = QString::fromUtf8(c.input);
        int position = 0;
        EXPECT_EQ(box.validate(input, position), c.state) << c.input;
    }

    box.setValue(kUint64Max - 1);
    box.stepBy(5);
    EXPECT_TRUE(box.value() == kUint64Max) << "a step stops at the top";
    box.setValue(-100);
    EXPECT_TRUE(box.value() == -5) << "values are kept in range";
    box.findChild<QLineEdit*>()->setText(QStringLiteral("-"));
    EXPECT_TRUE(box.value() == -5) << "an unfinished text keeps the last number";
    QString unfinished = QStringLiteral("-");
    box.fixup(unfinished);
    EXPECT_EQ(unfinished, QStringLiteral("-5"));
    box.findChild<QLineEdit*>()->setText(QStringLiteral("40"));
    box.stepBy(-3);
    EXPECT_TRUE(box.value() == 37);
}

} // namespace
} // namespace plat::forms::test
