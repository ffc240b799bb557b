#include "platform/text/CodePage.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

namespace plat::text {
namespace {

using namespace std::string_view_literals;

WString Decode(std::uint32_t codePage, std::string_view bytes) {
    WString out;
    EXPECT_TRUE(MultiByteToWide(codePage, bytes, out)) << codePage;
    return out;
}

std::string Encode(std::uint32_t codePage, WStringView text) {
    std::string out;
    EXPECT_TRUE(WideToMultiByte(codePage, text, out)) << codePage;
    return out;
}

std::string AllBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) {
        bytes += static_cast<char>(b);
    }
    return bytes;
}

TEST(CodePageTest, AnsiIsUtf8) {
    EXPECT_EQ(AnsiCodePage(), kCpUtf8);
    EXPECT_EQ(Decode(kCpAcp, "\xC3\xA9"), u"\u00E9");
    EXPECT_EQ(Encode(kCpAcp, u"\u00E9"), "\xC3\xA9");
}

TEST(CodePageTest, Utf8DecodingReplacesEachMaximalSubpart) {
    struct Case {
        std::string_view bytes;
        WStringView text;
    };
    const Case cases[] = {
        {"A", u"A"},
        {"\xC3\xA9", u"\u00E9"},
        {"\xE2\x82\xAC", u"\u20AC"},
        {"\xF0\x9F\x98\x80", u"\U0001F600"},
        {"\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
        {"\xC0\x80", u"\uFFFD\uFFFD"},                     // overlong
        {"\xE0\x80\x80", u"\uFFFD\uFFFD\uFFFD"},           // overlong
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},           // an encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"}, // above U+10FFFF
        {"\xE2\x82", u"\uFFFD"},                           // truncated at the end
        {"\xE2\x82"
         "A",
         u"\uFFFDA"},
        {"\xF0\x9F\x98", u"\uFFFD"},
        {"\x80\xBF", u"\uFFFD\uFFFD"},
        {"\xF5\xFF", u"\uFFFD\uFFFD"},
        {"a\0b"sv, u"a\0b"sv},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.bytes)));
        EXPECT_EQ(AnsiToWide(c.bytes), c.text);
        EXPECT_EQ(Decode(kCpUtf8, c.bytes), c.text);
    }
}

TEST(CodePageTest, Utf8EncodingReplacesUnpairedSurrogates) {
    EXPECT_EQ(WideToAnsi(u"a\U0001F600"), "a\xF0\x9F\x98\x80");
    EXPECT_EQ(WideToAnsi(u"\xD800"), "\xEF\xBF\xBD");
    EXPECT_EQ(WideToAnsi(u"\xDC00"
                         "a"),
              "\xEF\xBF\xBD"
              "a");
    EXPECT_EQ(WideToAnsi(u"\xDE00\xD83D"), "\xEF\xBF\xBD\xEF\xBF\xBD"); // a pair in the wrong order
}

TEST(CodePageTest, Utf16AndUtf32Bytes) {
    EXPECT_EQ(Decode(kCpUtf16Le, "A\0\x3D\xD8\x00\xDE"sv), u"A\U0001F600");
    EXPECT_EQ(Decode(kCpUtf16Be, "\0A\0B"sv), u"AB");
    EXPECT_EQ(Decode(kCpUtf16Le, "A\0B"sv), u"A\uFFFD");    // odd trailing byte
    EXPECT_EQ(Decode(kCpUtf16Le, "\x00\xD8"sv), u"\xD800"); // code units are kept as they are
    EXPECT_EQ(Encode(kCpUtf16Le, u"A\U0001F600"), "A\0\x3D\xD8\x00\xDE"sv);
    EXPECT_EQ(Encode(kCpUtf16Be, u"AB"), "\0A\0B"sv);

    EXPECT_EQ(Decode(kCpUtf32Le, "A\0\0\0\x00\xF6\x01\x00"sv), u"A\U0001F600");
    EXPECT_EQ(Decode(kCpUtf32Be, "\0\0\0A"sv), u"A");
    EXPECT_EQ(Decode(kCpUtf32Le, "\0\0\x11\0\0\xD8\0\0A\0"sv),
              u"\uFFFD\uFFFD\uFFFD"); // too big, surrogate, short
    EXPECT_EQ(Encode(kCpUtf32Be, u"A\U0001F600\xD800"), "\0\0\0A\0\x01\xF6\x00\0\0\xFF\xFD"sv);
}

TEST(CodePageTest, Windows1252MapsEveryByteAsWindowsDoes) {
    EXPECT_EQ(Decode(1252, "\x80\x81\x8D\x8F\x90\x9D\x9F\xE9"),
              u"\u20AC\u0081\u008D\u008F\u0090\u009D\u0178\u00E9");
    EXPECT_EQ(Decode(1250, "\x81"), u"\u0081");
    EXPECT_EQ(Decode(1251, "\x98"), u"\u0098");
    EXPECT_EQ(Encode(1252, u"\u20AC\u0081a\u4E00\xD800"), "\x80\x81"
                                                          "a??");
}

TEST(CodePageTest, SingleBytePagesRoundTripEveryByte) {
    // The PC pages keep the controls below 0x80 as themselves, as Windows does.
    for (const std::uint32_t cp : {437u, 850u, 866u, 1251u, 1252u, 20866u, 28591u}) {
        SCOPED_TRACE(cp);
        const WString text = Decode(cp, AllBytes());
        ASSERT_EQ(text.size(), 256u);
        for (char16_t c = 0; c < 0x80; ++c) {
            EXPECT_EQ(text[c], c);
        }
        EXPECT_EQ(Encode(cp, text), AllBytes());
    }
    EXPECT_EQ(Decode(437, "\xB0\xDB"), u"\u2591\u2588");
}

TEST(CodePageTest, MultiBytePagesThroughIcu) {
    const WStringView japanese = u"\u65E5\u672C\u8A9E"; // 日本語
    EXPECT_EQ(Decode(932, "\x93\xFA\x96\x7B\x8C\xEA\\"), WString(japanese) + u"\\");
    EXPECT_EQ(Encode(932, japanese), "\x93\xFA\x96\x7B\x8C\xEA");
    EXPECT_EQ(Decode(936, "\xD6\xD0\xCE\xC4"), u"\u4E2D\u6587"); // 中文
    EXPECT_EQ(Decode(932, "a\x82"), u"a\uFFFD");                 // a lead byte cut off
    EXPECT_EQ(Encode(932, u"a\u0E01"), "a?");                    // Thai has no Shift-JIS form
    EXPECT_EQ(Decode(932, "\x1A\x1C\x7F"), u"\x1A\x1C\x7F");
    EXPECT_EQ(Encode(932, u"\x1A\x1C\x7F"), "\x1A\x1C\x7F");

    for (const std::uint32_t cp : {949u, 950u, 50220u, 51932u, 51949u, 52936u, 54936u}) {
        SCOPED_TRACE(cp);
        const WStringView text = cp == 949u || cp == 51949u ? u"\uD55C\uAD6D\uC5B4 ok" : u"\u4E2D\u6587 ok";
        const std::string bytes = Encode(cp, text);
        EXPECT_NE(bytes.find("ok"), std::string::npos);
        EXPECT_EQ(Decode(cp, bytes), text);
    }
}

TEST(CodePageTest, KnownAndUnknownCodePages) {
    for (const std::uint32_t cp :
         {0u,     437u,   850u,   852u,   855u,   857u,   860u,   861u,   862u,   863u,   864u,
          865u,   866u,   869u,   874u,   932u,   936u,   949u,   950u,   1200u,  1201u,  1250u,
          1251u,  1252u,  1253u,  1254u,  1255u,  1256u,  1257u,  1258u,  10000u, 10007u, 10029u,
          12000u, 12001u, 20127u, 20866u, 21866u, 28591u, 28592u, 28593u, 28594u, 28595u, 28596u,
          28597u, 28598u, 28599u, 28603u, 28605u, 50220u, 51932u, 51949u, 52936u, 54936u, 65001u}) {
        EXPECT_TRUE(IsCodePageSupported(cp)) << cp;
    }
    WString wide = u"stale";
    std::string narrow = "stale";
    EXPECT_FALSE(IsCodePageSupported(12345));
    EXPECT_FALSE(MultiByteToWide(12345, "abc", wide));
    EXPECT_FALSE(WideToMultiByte(12345, u"abc", narrow));
    EXPECT_TRUE(wide.empty());
    EXPECT_TRUE(narrow.empty());
}

TEST(CodePageTest, EmptyInputConvertsToEmptyOutput) {
    for (const std::uint32_t cp : {kCpUtf8, kCpUtf16Be, kCpUtf32Le, 1252u, 932u}) {
        EXPECT_EQ(Decode(cp, ""), u"") << cp;
        EXPECT_EQ(Encode(cp, u""), "") << cp;
    }
}

TEST(CodePageTest, DetectionOfClearCases) {
    struct Case {
        std::string_view bytes;
        std::optional<std::uint32_t> codePage;
    };
    const Case cases[] = {
        {"", std::nullopt},
        {"Plain ASCII text, nothing else.", kCpUtf8},
        {"Gr\xC3\xBC\xC3\x9F"
         "e aus K\xC3\xB6ln, sch\xC3\xB6ne Stra\xC3\x9F"
         "e, \xC3\xA9t\xC3\xA9 fran\xC3\xA7"
         "ais",
         kCpUtf8},
        {"\xEF\xBB\xBFhello", kCpUtf8},
        {"\xFF\xFEh\0i\0"sv, kCpUtf16Le},
        {"\xFE\xFF\0h\0i"sv, kCpUtf16Be},
        {"\xFF\xFE\0\0h\0\0\0"sv, kCpUtf32Le},
        // Curly quotes, dashes and the euro sign make it 1252 rather than ISO-8859-1.
        {"\x84Gr\xFC\xDF"
         "e aus K\xF6ln\x93, sagte der M\xFCller \x96 f\xFCr 5 \x80 \xFC"
         "ber die Stra\xDF"
         "e. "
         "Sch\xF6ne Gr\xFC\xDF"
         "e, \xC4rger, \xD6l, \xDC"
         "bel.",
         1252u},
        {"\x82\xB1\x82\xEA\x82\xCD\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x83\x65\x83\x4C\x83\x58\x83\x67\x82\xC5"
         "\x82\xB7"
         "\x81\x42\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\xB6\x8F\xCD\x82\xF0\x8F\x91\x82\xA2\x82\xC4\x82\xA2"
         "\x82\xDC"
         "\x82\xB7\x81\x42",
         932u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.bytes)));
        EXPECT_EQ(DetectCodePage(c.bytes), c.codePage);
    }
}

TEST(CodePageTest, CutLengthEndsOnACharacterBoundary) {
    struct Case {
        std::string_view text;
        std::size_t maxBytes;
        std::size_t cut;
    };
    const Case cases[] = {
        {"abc", 5, 3},
        {"abc", 2, 2},
        {"abc", 0, 0},
        {"a\xC3\xA9", 2, 1},
        {"a\xC3\xA9", 3, 3},
        {"\xE2\x82\xAC"
         "x",
         2, 0},
        {"\xE2\x82\xAC"
         "x",
         3, 3},
        {"\xF0\x9F\x98\x80"
         "x",
         3, 0},
        {"\xF0\x9F\x98\x80"
         "x",
         4, 4},
        {"a\x80\x80\x80\x80"
         "b",
         3, 3}, // stray continuation bytes are characters of their own
        {"\xE2\x82"
         "A",
         1, 0}, // an invalid subpart is not split either
        {"\xE2\x82"
         "A",
         2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.text)) + " " + std::to_string(c.maxBytes));
        EXPECT_EQ(Utf8CutLength(c.text, c.maxBytes), c.cut);
    }
}

TEST(CodePageTest, FixedFieldIsCutAndTerminated) {
    std::array<char, 6> field{};
    const auto fill = [&] { field.fill('#'); };

    fill();
    EXPECT_EQ(CopyToFixedField("a\xC3\xA9\xE2\x82\xAC", field.data(), 5), 3u);
    EXPECT_EQ(std::memcmp(field.data(), "a\xC3\xA9\0#", 5), 0);

    fill();
    EXPECT_EQ(CopyToFixedField("abcde", field.data(), 6), 5u);
    EXPECT_STREQ(field.data(), "abcde");

    fill();
    EXPECT_EQ(CopyToFixedField("abc", field.data(), 1), 0u);
    EXPECT_EQ(std::memcmp(field.data(), "\0#", 2), 0);

    fill();
    EXPECT_EQ(CopyToFixedField("abc", field.data(), 0), 0u);
    EXPECT_EQ(field[0], '#');
}

} // namespace
} // namespace plat::text
