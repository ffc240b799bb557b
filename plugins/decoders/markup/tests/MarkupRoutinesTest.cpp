// The markup routines the decoders share: tags, attribute values, times, colours and entities.
#include "plugins/decoders/markup/MarkupColour.h"
#include "plugins/decoders/markup/MarkupEntities.h"
#include "plugins/decoders/markup/MarkupTag.h"
#include "plugins/decoders/markup/MarkupTime.h"
#include "plugins/decoders/markup/TMarkupEventList.h"
#include "plugins/decoders/markup/TMarkupSource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TTagCase {
    std::string data; // bytes after the "<"
    bool closed;
    std::string tag;
};

TEST(MarkupTag, ReadsUpToTheClosingBracketInUpperCase) {
    const TTagCase cases[] = {
        {"time begin=\"1\">rest", true, "TIME BEGIN=\"1\""},
        {">br>", true, "BR"},                        // a ">" right after "<" is passed over
        {"font color=red", false, "FONT COLOR=RED"}, // the data ends first
        {std::string(600, 'a') + ">", false, std::string(markup::kMaxTagChars, 'A')},
        {std::string(498, 'a') + ">", true, std::string(498, 'A')},
    };
    for (const TTagCase& c : cases) {
        TByteReader reader(c.data);
        std::string tag;
        EXPECT_EQ(markup::ReadTag(reader, tag), c.closed) << c.data.substr(0, 20);
        EXPECT_EQ(tag, c.tag);
    }
}

TEST(MarkupTag, SplitsNameAndAttributes) {
    const struct {
        const char* tag;
        bool skipLeading;
        const char* name;
        const char* attributes;
    } cases[] = {
        {"TIME BEGIN=1", true, "TIME", " BEGIN=1"},
        {"/FONT", true, "/FONT", ""},
        {"BR/", true, "BR", "/"},
        {"?XML VERSION", true, "XML", " VERSION"},
        {"?XML VERSION", false, "", "?XML VERSION"},
        {"!-- X --", false, "", "!-- X --"},
        {"P CLASS=EN", false, "P", " CLASS=EN"},
        {"", true, "", ""},
    };
    for (const auto& c : cases) {
        const markup::TTagParts parts = markup::SplitTag(c.tag, c.skipLeading);
        EXPECT_EQ(parts.Name, c.name) << c.tag;
        EXPECT_EQ(parts.Attributes, c.attributes) << c.tag;
    }
    EXPECT_EQ(markup::SplitTag(std::string(100, 'A'), true).Name.size(), markup::kMaxTagName);
}

TEST(MarkupTag, FindsAttributeValues) {
    const struct {
        const char* attributes;
        const char* name;
        const char* value; // nullptr: none
    } cases[] = {
        {" BEGIN=\"0:01.5\" END=2", "begin", "\"0:01.5\""},
        {" BEGIN=\"0:01.5\" END=2", "END", "2"},
        {" START = 1000", "START", "1000"},
        {" START\t=\t1000", "START", "1000"},
        {" RESTART=5", "START", "5"},          // found inside a longer word
        {" START STOP START=7", "START", "7"}, // the first place has no "=", the search goes on
        {" CLASS=EN-US", "CLASS", "EN"},       // the value stops at characters outside its set
        {" CLASS=", "CLASS", nullptr},
        {" COLOR=#FF00AA", "COLOR", "#FF00AA"},
        {" ID=3", "CLASS", nullptr},
    };
    for (const auto& c : cases) {
        const auto value = markup::AttributeValue(c.attributes, c.name);
        if (c.value == nullptr) {
            EXPECT_FALSE(value.has_value()) << c.attributes;
        } else {
            ASSERT_TRUE(value.has_value()) << c.attributes;
            EXPECT_EQ(*value, c.value);
        }
    }
    EXPECT_EQ(markup::AttributeValue(" A=" + std::string(400, 'X'), "A")->size(), markup::kMaxAttributeValue);
}

TEST(MarkupTime, ReadsGroupsAndFractions) {
    const struct {
        const char* text;
        int32_t ms; // -1: no time
    } cases[] = {
        {"1:02.5", 62500},
        {"1:02:03.25", 3723250},
        {"\"12\"", 12000},
        {"12", 12000},
        {"0:00:01.123", 1123},
        {"0:00:01.1234", 1000}, // a fraction of four digits counts nothing
        {"1.05", 1050},
        {"1.5S", 1500},
        {"", -1},
        {"\"", -1},
        {"::", -1},
        {"1:2:3:4", 7384000}, // four groups: the last three are h, m, s
        {"99999999999999999999999:0", static_cast<int32_t>(markup::kMaxTimeMs)},
        {"5\\6", 306000},
    };
    for (const auto& c : cases) {
        const auto ms = markup::ParseMarkupTime(c.text);
        EXPECT_EQ(ms.value_or(-1), c.ms) << c.text;
    }
}

TEST(MarkupColour, ReadsNamesAndHexadecimal) {
    const struct {
        const char* text;
        const char* tag; // nullptr: no colour
    } cases[] = {
        {"#FF0000", "{\\c&H0000ff&}"},
        {"\"#FF0000\"", "{\\c&H0000ff&}"},
        {"Navy", "{\\c&H800000&}"},
        {"NAVY", "{\\c&H800000&}"},
        {"aqua", "{\\c&Hffff00&}"},
        {"00FF00", "{\\c&H00ff00&}"},
        {"#F", nullptr},
        {"ZZ", nullptr},
        {"#123456789", "{\\c&H896745&}"},
        {"#f80", "{\\c&H0088ff&}"},
        {"f80", "{\\c&H800f00&}"},
    };
    for (const auto& c : cases) {
        const auto colour = markup::ParseColour(c.text);
        if (c.tag == nullptr) {
            EXPECT_FALSE(colour.has_value()) << c.text;
        } else {
            ASSERT_TRUE(colour.has_value()) << c.text;
            EXPECT_EQ(markup::RgbOverride(*colour), c.tag) << c.text;
        }
    }
}

std::string WithEntity(const std::string& data, bool utf8) {
    TByteReader reader(data);
    char c = 0;
    reader.Next(c); // the "&"
    TSubtitleText text;
    markup::AppendEntity(reader, text, utf8);
    std::string rest;
    while (reader.Next(c)) {
        rest.push_back(c);
    }
    return text.Text() + "|" + rest;
}

TEST(MarkupEntities, DecodeToTheirCharacters) {
    const struct {
        const char* data;
        bool utf8;
        const char* result; // text appended, "|", what is left to read
    } cases[] = {
        {"&eacute;x", false, "\xE9|x"},
        {"&eacute;x", true, "\xC3\xA9|x"},
        {"&szlig;", true, "\xC3\x9F|"},
        {"&Aring;", true, "\xC3\x85|"},
        {"&oslash;", false, "\xF8|"},
        {"&nbsp;", true, " |"},
        {"&amp;&lt;", true, "&|&lt;"},
        {"&#233;", true, "\xC3\xA9|"},
        {"&#xE9;", false, "\xE9|"},
        {"&#x20AC;", true, "\xE2\x82\xAC|"},
        {"&#x20AC;", false, "&#x20AC;|"}, // no single byte holds it
        {"&#0;", true, "&#0;|"},
        {"&#xD800;", true, "&#xD800;|"},
        {"&Ugrave;", true, "&Ugrave;|"}, // not in the table
        {"&T <b>x", true, "&T| <b>x"},   // a tag after "&" is left to be read as a tag
        {"&abcdefghijkl;", true, "&abcdefghij|kl;"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithEntity(c.data, c.utf8), c.result) << c.data;
    }
    EXPECT_EQ(markup::EntityTableSize(), 86u);
}

TEST(MarkupSource, TurnsUtf16IntoUtf8AndPassesOverAByteOrderMark) {
    EXPECT_EQ(TMarkupSource("\xEF\xBB\xBFhi").Bytes(), "hi");
    EXPECT_EQ(TMarkupSource(std::string("\xFF\xFEh\0\xE9\0", 6)).Bytes(), "h\xC3\xA9");
    EXPECT_EQ(TMarkupSource(std::string("\xFE\xFF\0h", 4)).Bytes(), "h");
    EXPECT_TRUE(TMarkupSource("caf\xC3\xA9").IsUtf8());
    EXPECT_FALSE(TMarkupSource("caf\xE9").IsUtf8());
}

TEST(MarkupEventList, StopsTakingEventsAtItsBound) {
    TMarkupEventList list;
    TMarkupEvent big;
    big.Text = std::string(1 << 20, 'x');
    std::size_t taken = 0;
    while (list.Add(big)) {
        ++taken;
    }
    EXPECT_EQ(taken, TMarkupEventList::kMaxTextBytes / ((1 << 20) + 64));
    EXPECT_FALSE(list.Add(big));
    EXPECT_EQ(list.Size(), taken);
}

} // namespace
