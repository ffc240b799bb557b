// Reading, checking and writing the numeric advanced settings.
#include "plugins/decoders/support/AdvancedSetting.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(AdvancedSetting, StoredSettingOrDefault) {
    const struct {
        const char* setting;
        int32_t length;
        double value;
    } cases[] = {{nullptr, 7, 29.97}, {"25.0000", 0, 29.97}, {"25.0000", 7, 25.0},  {"23.976", 2, 23.0},
                 {"abc", 3, 29.97},   {"0", 1, 29.97},       {"-5", 2, 29.97},      {"1e300", 5, 29.97},
                 {"nan", 3, 29.97},   {"30\0x", 4, 30.0},     {"12.5 ", 5, 12.5}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(scr::SettingValue(c.setting, c.length, scr::kFrameRateSetting), c.value)
            << (c.setting ? c.setting : "(null)");
    }
    EXPECT_DOUBLE_EQ(scr::SettingValue(nullptr, 0, scr::kResolutionSetting), 450.0);
}

TEST(AdvancedSetting, DialogValueMustLieStrictlyInsideTheRange) {
    const struct {
        const char* text;
        const scr::TAdvancedRange& range;
        const char* setting; // nullptr when refused
    } cases[] = {{"10", scr::kFrameRateSetting, nullptr},          {"40", scr::kFrameRateSetting, nullptr},
                 {"23.976", scr::kFrameRateSetting, "23.9760"},    {"39.99", scr::kFrameRateSetting, "39.9900"},
                 {"x", scr::kFrameRateSetting, nullptr},           {"", scr::kFrameRateSetting, nullptr},
                 {"100", scr::kResolutionSetting, nullptr},        {"2048", scr::kResolutionSetting, nullptr},
                 {"576", scr::kResolutionSetting, "576.00"},       {"25x", scr::kFrameRateSetting, nullptr}};
    for (const auto& c : cases) {
        const auto value = scr::CheckDialogValue(c.text, c.range);
        ASSERT_EQ(value.has_value(), c.setting != nullptr) << c.text;
        if (value) {
            EXPECT_EQ(scr::FormatSetting(*value, c.range), c.setting);
        }
    }
}

TEST(AdvancedSetting, RefusalMessagesNameTheLimits) {
    EXPECT_EQ(scr::RangeMessage(scr::kFrameRateSetting), "Value must be > 10.00 and < 40.00");
    EXPECT_EQ(scr::RangeMessage(scr::kResolutionSetting), "Value must be > 100.00 and < 2048.00");
    EXPECT_EQ(scr::FormatSetting(29.97, scr::kFrameRateSetting), "29.9700");
    EXPECT_EQ(scr::FormatSetting(1e30, scr::kFrameRateSetting).size(), scr::kSettingBufferBytes - 1);
}

} // namespace
