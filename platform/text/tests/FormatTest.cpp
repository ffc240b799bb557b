#include "platform/text/Format.h"

#include "platform/text/CodePage.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace plat::text {
namespace {

using namespace std::string_literals;
using namespace std::string_view_literals;

// One format run in both widths: the UTF-16 text must be the UTF-16 form of the 8-bit one.
struct BothWidths {
    std::string expected;
    std::string narrow;
    WString wide;
};
BothWidths MakeBoth(std::string expected, std::string narrow, WString wide) {
    return {std::move(expected), std::move(narrow), std::move(wide)};
}
#define BOTH(expected, fmt, ...) MakeBoth(expected, FormatA(fmt, __VA_ARGS__), Format(u"" fmt, __VA_ARGS__))

void Check(const std::vector<BothWidths>& cases) {
    for (const BothWidths& c : cases) {
        EXPECT_EQ(c.narrow, c.expected);
        EXPECT_EQ(c.wide, AnsiToWide(c.expected)) << c.expected;
    }
}

enum class Colour : std::uint8_t { Red = 2 };

TEST(FormatTest, IntegersAreThirtyTwoBitWithoutAPrefix) {
    Check({
        BOTH("42", "%d", 42),
        BOTH("-7", "%i", -7),
        BOTH("4294967295", "%u", -1),
        BOTH("FFFFFFFF", "%X", -1),
        BOTH("ffffff85", "%x", -123),
        BOTH("000000FF", "%08X", 255),
        BOTH("-1", "%d", 4294967295u),
        BOTH("37777777777", "%o", -1),
        BOTH("65 1 2", "%d %d %d", 'A', true, Colour::Red),
        BOTH("5", "%ld", 5),
        BOTH("7", "%lu", 7u),
        BOTH("-1", "%I32d", -1),
    });
}

TEST(FormatTest, SizePrefixes) {
    Check({
        BOTH("4464", "%hd", 70000),
        BOTH("-25536", "%hd", 40000),
        BOTH("65535", "%hu", -1),
        BOTH("-56", "%hhd", 200),
        BOTH("34", "%hhx", 0x1234),
        BOTH("-9223372036854775808", "%lld", std::numeric_limits<std::int64_t>::min()),
        BOTH("18446744073709551615", "%I64u", std::numeric_limits<std::uint64_t>::max()),
        BOTH("ffffffffffffffff", "%llx", -1LL),
        BOTH("5000000000", "%zu", std::size_t{5000000000}),
        BOTH("-5000000000", "%Id", std::int64_t{-5000000000}),
        BOTH("123456789012", "%jd", std::intmax_t{123456789012}),
        BOTH("-3", "%td", std::ptrdiff_t{-3}),
        BOTH("1", "%Ld", 1),
    });
}

TEST(FormatTest, IntegerFlagsWidthAndPrecision) {
    Check({
        BOTH("+5 -5  5", "%+d %+d % d", 5, -5, 5),
        BOTH("   42|42   |", "%5d|%-5d|", 42, 42),
        BOTH("-0042", "%05d", -42),
        BOTH("-42  ", "%-05d", -42),
        BOTH("007|  007", "%.3d|%5.3d", 7, 7),
        BOTH("05|0|1", "%02d|%01d|%01d", 5, 0, 1),
        BOTH("[]|[   ]|[1]", "[%.0d]|[%3.0d]|[%.0x]", 0, 0, 1),
        BOTH("010 0 0x1f 0X1F 0", "%#o %#o %#x %#X %#x", 8, 0, 31, 31, 0),
        BOTH("0x0001f", "%#07x", 31),
        BOTH("+00012", "%+06d", 12),
        BOTH("   -1", "%*d", 5, -1),
        BOTH("7    |", "%-*d|", 5, 7),
        BOTH("7    |", "%*d|", -5, 7),
        BOTH("0007 7", "%.*d %.*d", 4, 7, -1, 7),
    });
}

TEST(FormatTest, FloatingConversions) {
    Check({
        BOTH("1.500000", "%f", 1.5),
        BOTH("3.14", "%2.2f", 3.14159),
        BOTH("10.0", "%2.1f", 9.96),
        BOTH("1.25", "%.2f", 1.25f),
        BOTH("1.234568e+04 1.234568E+04", "%e %E", 12345.678, 12345.678),
        BOTH("0.0001 1E-10", "%g %G", 0.0001, 1e-10),
        BOTH("0x1p+0 0X1P+1", "%a %A", 1.0, 2.0),
        BOTH("+2.0| 2.0", "%+.1f|% .1f", 2.0, 2.0),
        BOTH("-0003.50|2.5     |", "%08.2f|%-8.1f|", -3.5, 2.5),
        BOTH("  3.14", "%*.*f", 6, 2, 3.14159),
        BOTH("3.", "%#.0f", 3.0),
        BOTH("inf INF", "%f %F", HUGE_VAL, HUGE_VAL),
        BOTH("1.0", "%.1Lf", 1.0),
    });
    const std::string longFraction = FormatA("%.400f", 1.0);
    EXPECT_EQ(longFraction.size(), 402u);
    EXPECT_EQ(longFraction.substr(0, 4), "1.00");
}

TEST(FormatTest, PointersAndPercent) {
    const auto* p = reinterpret_cast<const void*>(std::uintptr_t{0xABCDEF});
    Check({
        BOTH("0000000000ABCDEF", "%p", p),
        BOTH("0000000000000000", "%p", nullptr),
        BOTH("    0000000000ABCDEF|0000000000ABCDEF    |", "%20p|%-20p|", p, p),
    });
    EXPECT_EQ(FormatA("100%% %d%%", 5), "100% 5%");
    EXPECT_EQ(Format(u"%%"), u"%");
}

TEST(FormatTest, CharactersOfEitherWidth) {
    EXPECT_EQ(FormatA("%c|%3c|%-3c|", 'A', 'x', 'y'), "A|  x|y  |");
    EXPECT_EQ(FormatA("%hc", 'h'), "h");
    EXPECT_EQ(FormatA("%C%lc%wc", u'\u00E9', u'\u03A9', u'w'), "\xC3\xA9\xCE\xA9w");
    EXPECT_EQ(FormatA("%C", u'\xD800'), "\xEF\xBF\xBD");
    EXPECT_EQ(Format(u"%c%C%hc%lc", u'\u00E9', 'B', 'c', u'd'), u"\u00E9Bcd");
    EXPECT_EQ(Format(u"%hc", '\xE9'), u"\uFFFD");          // a lone non-ASCII byte is no UTF-8 character
    EXPECT_EQ(Format(u"%c", 0x1234 + 0x10000), u"\u1234"); // the unit is the low 16 bits
    EXPECT_EQ(FormatA("a%cb", 0), "a\0b"s);
}

TEST(FormatTest, StringsInAnEightBitFormat) {
    const std::array<char, 3> unterminated{'a', 'b', 'c'};
    EXPECT_EQ(FormatA("%s|%hs|%ls|%ws|%S", "ab", "cd", u"\u00E4", u"w", u"S"), "ab|cd|\xC3\xA4|w|S");
    EXPECT_EQ(FormatA("%5s|%-5s|%05s", "ab", "ab", "ab"), "   ab|ab   |000ab");
    EXPECT_EQ(FormatA("%.2s|%.9s|%.0s|", "abcdef", "abc", "abc"), "ab|abc||");
    EXPECT_EQ(FormatA("%.3s", static_cast<const char*>(unterminated.data())), "abc");
    EXPECT_EQ(FormatA("%.*s", 2, "abcdef"), "ab");
    EXPECT_EQ(FormatA("%s", "abcdef"sv.substr(1, 3)), "bcd");
    EXPECT_EQ(FormatA("%s|%s", "x"s, std::string("a\0b", 3)), "x|a\0b"s);
    // Precision counts source units, width output units.
    EXPECT_EQ(FormatA("%.2ls|%5.1ls|", u"\u00E4\u00F6\u00FC", u"\u00E4\u00F6"),
              "\xC3\xA4\xC3\xB6|   \xC3\xA4|");
    EXPECT_EQ(FormatA("%s|%.3s|%ls|%8s", static_cast<const char*>(nullptr), static_cast<const char*>(nullptr),
                      static_cast<const char16_t*>(nullptr), static_cast<const char*>(nullptr)),
              "(null)|(nu|(null)|  (null)");
}

TEST(FormatTest, StringsInAUtf16Format) {
    EXPECT_EQ(Format(u"%s|%ls|%ws|%hs|%S", u"ab", u"cd", u"ef", "\xC3\xA4", "S"), u"ab|cd|ef|\u00E4|S");
    EXPECT_EQ(Format(u"%3hs|%-3s|", "\xC3\xA4", u"\u00E9"), u"  \u00E4|\u00E9  |");
    EXPECT_EQ(Format(u"%.1hs", "\xC3\xA4"), u"\uFFFD"); // one byte of a two-byte character
    EXPECT_EQ(Format(u"%.1s", u"\U0001F600"), u"\xD83D");
    EXPECT_EQ(Format(u"%s", std::u16string_view(u"abc").substr(0, 2)), u"ab");
    EXPECT_EQ(Format(u"%s %hs", static_cast<const char16_t*>(nullptr), static_cast<const char*>(nullptr)),
              u"(null) (null)");
}

TEST(FormatTest, RuntimeFormatsSkipWhatDoesNotMatch) {
    struct Case {
        std::string expected;
        std::string actual;
    };
    const Case cases[] = {
        {"a b c", FormatA(Runtime("a%d b%s c"))},     // missing arguments
        {"|7", FormatA(Runtime("%d|%d"), "text", 7)}, // wrong kind is consumed
        {"|", FormatA(Runtime("%s|%ls"), 5, "narrow")},
        {"|2", FormatA(Runtime("%*d|%d"), "x", 1, 2)},            // a '*' needs an integer
        {"1", FormatA(Runtime("%d"), 1, 2)},                      // extra arguments are ignored
        {"5", FormatA(Runtime("%d"), std::int64_t{0x100000005})}, // truncated to 32 bits
        {"", FormatA(Runtime("%p%f%c"), 1, 2, 2.5)},
        {"abc%", FormatA(Runtime("abc%"))}, // incomplete at the end
        {"x%-05", FormatA(Runtime("x%-05"), 1)},
        {"%l|%I6", FormatA(Runtime("%l|%I6"))},
        {"%y %n5", FormatA(Runtime("%y %n%d"), 5)}, // unknown conversions, %n too
        {"%5%", FormatA(Runtime("%5%"))},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.actual, c.expected);
    }
    EXPECT_EQ(FormatA(Runtime("%2000000000d"), 1).size(), std::size_t{1} << 20); // huge widths are clamped
    EXPECT_EQ(Format(Runtime(u"%s|%hs|%"), "wrong", "ok"), u"|ok|%");

    std::string out = "kept";
    FormatAppend(out, nullptr, {});
    EXPECT_EQ(out, "kept");
}

template <class Char> std::basic_string<Char> Widen(std::string_view ascii) {
    return std::basic_string<Char>(ascii.begin(), ascii.end());
}

template <class Char> class FormatBoundedTest : public testing::Test {
protected:
    static constexpr Char kSentinel = '#';

    // Formats into a buffer of `limit` units followed by sentinels; answers the result.
    int Run(std::string_view fmt, std::size_t limit, std::span<const FormatArg> args) {
        buffer_.assign(limit + 4, kSentinel);
        const std::basic_string<Char> f = Widen<Char>(fmt);
        return FormatBounded(buffer_.data(), limit, f.c_str(), args);
    }
    std::basic_string<Char> Head(std::size_t n) const { return buffer_.substr(0, n); }

    std::basic_string<Char> buffer_;
};

using CharTypes = testing::Types<char, char16_t>;
TYPED_TEST_SUITE(FormatBoundedTest, CharTypes);

TYPED_TEST(FormatBoundedTest, FitsOrAnswersMinusOne) {
    using Char = TypeParam;
    const std::array<FormatArg, 1> args{MakeArg(12)};
    struct Case {
        std::size_t limit;
        int result;
        std::string_view buffer; // the first limit + 1 units afterwards
    };
    const Case cases[] = {
        {10, 5, "abc12\0#####"sv}, {6, 5, "abc12\0#"sv}, {5, 5, "abc12#"}, // exact fit: no terminator
        {4, -1, "abc1#"},          {1, -1, "a#"},        {0, -1, "#"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.limit);
        EXPECT_EQ(this->Run("abc%d", c.limit, args), c.result);
        EXPECT_EQ(this->Head(c.limit + 1), Widen<Char>(c.buffer));
    }
    EXPECT_EQ(this->Run("", 0, {}), 0);
    EXPECT_EQ(FormatBounded(static_cast<Char*>(nullptr), 5, Widen<Char>("ab").c_str(), {}), -1);
    EXPECT_EQ(FormatBounded(static_cast<Char*>(nullptr), 0, Widen<Char>("").c_str(), {}), 0);
}

TYPED_TEST(FormatBoundedTest, LongTextIsCutAndTheRetryIsPure) {
    using Char = TypeParam;
    const std::string longText(10000, 'z');
    const std::array<FormatArg, 3> args{MakeArg(7), MakeArg(longText), MakeArg(9)};
    const std::string_view fmt = "%5000d|%hs|%d";

    EXPECT_EQ(this->Run(fmt, 8, args), -1);
    EXPECT_EQ(this->Head(9), Widen<Char>("        #"));
    EXPECT_EQ(this->Run(fmt, 8, args), -1);
    EXPECT_EQ(this->Head(9), Widen<Char>("        #"));

    const std::size_t full = 5000 + 1 + longText.size() + 2;
    EXPECT_EQ(this->Run(fmt, full, args), static_cast<int>(full));
    EXPECT_EQ(this->Head(full).substr(4995, 8), Widen<Char>("    7|zz"));
    EXPECT_EQ(this->Head(full + 1).substr(full - 3), Widen<Char>("z|9#"));
}

} // namespace
} // namespace plat::text
