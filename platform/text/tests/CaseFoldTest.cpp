#include "platform/text/CaseFold.h"

#include <gtest/gtest.h>

namespace plat::text {
namespace {

int Sign(int v) {
    return (v > 0) - (v < 0);
}

TEST(CaseFoldTest, EqualityOfUtf8Text) {
    struct Case {
        std::string_view a;
        std::string_view b;
        bool equal;
    };
    const Case cases[] = {
        {"abc", "ABC", true},
        {"", "", true},
        {"a", "", false},
        {"abc", "abd", false},
        {"\xC3\x89"
         "cole",
         "\xC3\xA9"
         "COLE",
         true}, // É / é
        {"\xCE\x9F\xCE\x94\xCE\x9F\xCE\xA3", "\xCE\xBF\xCE\xB4\xCE\xBF\xCF\x82",
         true},                             // ΟΔΟΣ / οδος with final sigma
        {"\xE1\xBA\x9E", "\xC3\x9F", true}, // capital sharp s folds to ß
        {"Stra\xC3\x9F"
         "e",
         "STRASSE", false},          // simple folding keeps ß one letter
        {"\xE2\x84\xAA", "k", true}, // Kelvin sign
        {"a\xFF", "A\xFF", true},    // invalid bytes compare as themselves
        {"\xE9", "\xC9", false},     // ... and are not Latin-1 letters
        {"\xE9", "\xC3\xA9", false},
        {"\xE2\x82", "\xE2\x82", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " / " + std::string(c.b));
        EXPECT_EQ(EqualsNoCaseA(c.a, c.b), c.equal);
        EXPECT_EQ(EqualsNoCaseA(c.b, c.a), c.equal);
    }
}

TEST(CaseFoldTest, EqualityOfUtf16Text) {
    EXPECT_TRUE(EqualsNoCase(u"\u00C4\u00D6\u00DCx", u"\u00E4\u00F6\u00FCX"));
    EXPECT_TRUE(EqualsNoCase(u"\U00010400", u"\U00010428")); // Deseret, outside the BMP
    EXPECT_FALSE(EqualsNoCase(u"\U00010400", u"\U00010401"));
    EXPECT_TRUE(EqualsNoCase(u"a\xD800", u"A\xD800")); // an unpaired surrogate is itself
    EXPECT_FALSE(EqualsNoCase(u"a\xD800", u"a\xDC00"));
    EXPECT_LT(CompareNoCase(u"apple", u"BANANA"), 0);
    EXPECT_GT(CompareNoCase(u"ABCD", u"abc"), 0);
    // Code point order, not code unit order: U+10428 is stored as D801 DC28.
    EXPECT_GT(CompareNoCase(u"\U00010428", u"\uFFFD"), 0);
}

TEST(CaseFoldTest, OrderingFollowsFoldedCodePoints) {
    struct Case {
        std::string_view a;
        std::string_view b;
        int sign;
    };
    const Case cases[] = {
        {"apple", "BANANA", -1},
        {"b", "A", 1},
        {"abc", "ABCD", -1},
        {"ABCD", "abc", 1},
        {"Z", "\xC3\xA9", -1},            // U+007A < U+00E9
        {"\xF4\x8F\xBF\xBF", "\xFF", -1}, // invalid bytes sort after every code point
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " / " + std::string(c.b));
        EXPECT_EQ(Sign(CompareNoCaseA(c.a, c.b)), c.sign);
    }
}

TEST(CaseFoldTest, FoldedText) {
    EXPECT_EQ(FoldCase(u"HeLLo \u03A3\u0391\u03A3 \U00010400"), u"hello \u03C3\u03B1\u03C3 \U00010428");
    EXPECT_EQ(FoldCaseA("\xC3\x80"
                        "B\xFF\xE2\x82"),
              "\xC3\xA0"
              "b\xFF\xE2\x82");
}

TEST(CaseFoldTest, PrefixWithoutRegardToCase) {
    EXPECT_TRUE(StartsWithNoCase(u"Hello World", u"HELLO"));
    EXPECT_TRUE(StartsWithNoCase(u"Hello", u""));
    EXPECT_FALSE(StartsWithNoCase(u"He", u"Hello"));
    EXPECT_FALSE(StartsWithNoCase(u"Hallo", u"HE"));
    EXPECT_TRUE(StartsWithNoCaseA("VIDEO_TS/VTS_01_0.IFO", "video_ts"));
    EXPECT_TRUE(StartsWithNoCaseA("\xC3\x89t\xC3\xA9", "\xC3\xA9T"));
    EXPECT_FALSE(StartsWithNoCaseA("ab", "abc"));
}

} // namespace
} // namespace plat::text
