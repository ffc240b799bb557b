// Buffers handed out and freed, and the IsCompatible name test.
#include "plugins/decoders/support/ScrExports.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(ScrExports, NameStartMatchesWithoutCaseOverTheGivenLength) {
    const struct {
        const char* type;
        int32_t length;
        bool compatible;
    } cases[] = {{"SRT", 3, true},   {".srt", 4, true},  {"S", 1, true},     {"SRTX", 4, false},
                 {"SRT2", 3, true},  {"ssa", 3, false},  {"", 0, false},     {"SRT", 0, false},
                 {"SRT", -1, false}, {nullptr, 3, false}, {".SUB", 4, true}, {"t", 1, true}};
    for (const auto& c : cases) {
        EXPECT_EQ(scr::MatchesNameStart(c.type, c.length, {"TXT", ".TXT", "SUB", ".SUB", "SRT", ".SRT"}),
                  c.compatible)
            << (c.type ? c.type : "(null)") << " " << c.length;
    }
}

TEST(ScrExports, HandedOutBuffersAreZeroTerminatedCopiesAndFreeClearsThem) {
    void* text = scr::HandOut(std::string_view("abc", 3));
    char* advanced = scr::HandOut("29.9700");
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(static_cast<char*>(text), "abc");
    EXPECT_EQ(scr::FreeHandedOut(&text, &advanced), 1);
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(advanced, nullptr);
    EXPECT_EQ(scr::FreeHandedOut(nullptr, nullptr), 1);
}

} // namespace
