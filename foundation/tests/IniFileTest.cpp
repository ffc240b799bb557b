#include "foundation/IniFile.h"

#include "foundation/tests/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <sys/stat.h>

namespace {

// A hand-written file: comments, blank lines, blanks around names and values, mixed line ends, a
// UTF-8 mark, a key before any section, a repeated key, a foreign section and no final line end.
constexpr std::string_view kHandWritten =
    "\xEF\xBB\xBF; settings written by hand\r\n"
    "Orphan=1\r\n"
    "[General]\r\n"
    "  Language =  french.tovrin.lang  \r\n"
    "# a hash comment\r\n"
    "NotFirstStart=0\n"
    "notfirststart=7\r\n"
    "\r\n"
    "[Foreign Section]\r\n"
    "Anything=goes = here\r\n"
    "garbage line without equals\r\n"
    "[ColorKey]\r\n"
    "R=16\r\n"
    "G=16";

// Reading and changing nothing writes every byte back.
TEST(IniFileTest, UnchangedFileRoundTripsByteForByte) {
    IniFile ini;
    ini.Parse(kHandWritten);
    EXPECT_EQ(ini.Text(), kHandWritten);
}

TEST(IniFileTest, ReadsWithoutRegardToCaseAndBlanks) {
    IniFile ini;
    ini.Parse(kHandWritten);
    EXPECT_EQ(ini.ReadString("GENERAL", "language", "x"), "french.tovrin.lang");
    EXPECT_EQ(ini.ReadInteger("general", "NOTFIRSTSTART", 5), 0); // the first of a repeated key
    EXPECT_EQ(ini.ReadString("foreign section", "anything", ""), "goes = here");
    EXPECT_EQ(ini.ReadString("General", "Orphan", "none"), "none"); // before any section
    EXPECT_EQ(ini.ReadString("General", "a hash comment", "none"), "none");
    EXPECT_TRUE(ini.SectionExists("colorkey"));
    EXPECT_FALSE(ini.SectionExists("Filters"));
    EXPECT_TRUE(ini.ValueExists("ColorKey", "g"));
    EXPECT_EQ(ini.ReadInteger("ColorKey", "G", 0), 16);
}

// Changed values are replaced where they stand; new keys go to the end of their section, new
// sections to the end of the file; every other byte stays.
TEST(IniFileTest, ChangesTouchOnlyTheirOwnLines) {
    IniFile ini;
    ini.Parse(kHandWritten);
    ASSERT_TRUE(ini.WriteString("general", "LANGUAGE", "default.tovrin.lang"));
    ASSERT_TRUE(ini.WriteInteger("General", "AutoBookmarkDelay", 700));
    ASSERT_TRUE(ini.WriteInteger("ColorKey", "B", 255));
    ASSERT_TRUE(ini.WriteBool("Filters", "Flag", true));
    EXPECT_EQ(ini.Text(),
              "\xEF\xBB\xBF; settings written by hand\r\n"
              "Orphan=1\r\n"
              "[General]\r\n"
              "  Language =  default.tovrin.lang  \r\n"
              "# a hash comment\r\n"
              "NotFirstStart=0\n"
              "notfirststart=7\r\n"
              "AutoBookmarkDelay=700\r\n"
              "\r\n"
              "[Foreign Section]\r\n"
              "Anything=goes = here\r\n"
              "garbage line without equals\r\n"
              "[ColorKey]\r\n"
              "R=16\r\n"
              "G=16\r\n"
              "B=255\r\n"
              "\r\n"
              "[Filters]\r\n"
              "Flag=1\r\n");
}

TEST(IniFileTest, NewFileUsesCrLfAndSeparatesSections) {
    IniFile ini;
    ASSERT_TRUE(ini.WriteString("DefaultStyle", "FontName", "Arial"));
    ASSERT_TRUE(ini.WriteInteger("General", "Shadow", -3));
    ASSERT_TRUE(ini.WriteString("DefaultStyle", "Empty", ""));
    EXPECT_EQ(ini.Text(), "[DefaultStyle]\r\nFontName=Arial\r\nEmpty=\r\n\r\n[General]\r\nShadow=-3\r\n");
    EXPECT_EQ(ini.ReadString("DefaultStyle", "Empty", "x"), "");
}

TEST(IniFileTest, LfFileGetsLfLines) {
    IniFile ini;
    ini.Parse("[A]\nk=1\n");
    ASSERT_TRUE(ini.WriteString("B", "k", "2"));
    EXPECT_EQ(ini.Text(), "[A]\nk=1\n\n[B]\nk=2\n");
}

// Numbers: a missing key, text, overflow and trailing junk read as the default.
TEST(IniFileTest, NumbersOutsideThirtyTwoBitsOrMalformedReadAsDefault) {
    struct Case {
        const char* value;
        std::int32_t expected;
    } const cases[] = {
        {"12", 12},          {"-2147483648", INT32_MIN}, {"+2147483647", INT32_MAX},
        {"2147483648", 99},  {"-2147483649", 99},        {"99999999999999999999999", 99},
        {"12abc", 99},       {"abc", 99},                {"", 99},
        {"+", 99},           {"-", 99},                  {"0x10", 99},
        {" 7 ", 7},          {"--1", 99},                {"+-1", 99},
    };
    for (const Case& c : cases) {
        IniFile ini;
        ini.Parse(std::string("[S]\r\nN=") + c.value + "\r\n");
        EXPECT_EQ(ini.ReadInteger("S", "N", 99), c.expected) << c.value;
    }
    IniFile ini;
    EXPECT_EQ(ini.ReadInteger("S", "N", -5), -5);
    EXPECT_TRUE(ini.ReadBool("S", "N", true));
}

TEST(IniFileTest, RefusesTextThatCannotStandInALine) {
    struct Case {
        std::string_view section, key, value;
    } const cases[] = {
        {"S", "K", "a\r\nb"}, {"S", "K", std::string_view("a\0b", 3)}, {"S", "K=", "v"},
        {"S", "", "v"},       {"S", " K", "v"},                       {"S", "[K", "v"},
        {"S", ";K", "v"},     {"S]", "K", "v"},                       {"", "K", "v"},
        {"S\n", "K", "v"},
    };
    for (const Case& c : cases) {
        IniFile ini;
        ini.Parse("[S]\r\nK=old\r\n");
        EXPECT_FALSE(ini.WriteString(c.section, c.key, c.value)) << c.section << "/" << c.key;
        EXPECT_EQ(ini.Text(), "[S]\r\nK=old\r\n");
    }
}

TEST(IniFileTest, HugeLinesAndManyLinesSurvive) {
    const std::string longValue(100 * 1024, 'v');
    std::string text = "[S]\r\nLong=" + longValue + "\r\n" + std::string(100 * 1024, '[') + "\r\n";
    for (int i = 0; i < 2000; ++i) {
        text += "K" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    }
    IniFile ini;
    ini.Parse(text);
    EXPECT_EQ(ini.Text(), text);
    EXPECT_EQ(ini.ReadString("s", "long", ""), longValue);
    EXPECT_EQ(ini.ReadInteger("S", "K1999", 0), 1999);
    ASSERT_TRUE(ini.WriteString("S", "Long", "short"));
    EXPECT_EQ(ini.ReadString("S", "Long", ""), "short");
}

TEST(IniFileTest, SaveAndLoadThroughTheDisk) {
    TempDir dir;
    const std::string path = dir.Write("Tovrin.ini", kHandWritten);
    IniFile ini;
    ASSERT_TRUE(ini.Load(path.c_str()));
    ASSERT_TRUE(ini.WriteInteger("General", "NotFirstStart", 1));
    ASSERT_TRUE(ini.Save(path.c_str()));
    std::string expected(kHandWritten);
    expected.replace(expected.find("NotFirstStart=0"), 15, "NotFirstStart=1");
    EXPECT_EQ(TempDir::Read(path), expected);
    EXPECT_EQ(dir.EntryCount(), 1u); // no temporary file left behind

    IniFile missing;
    missing.Parse("[Old]\r\n");
    ASSERT_TRUE(missing.Load(dir.Path("absent.ini").c_str()));
    EXPECT_EQ(missing.Text(), "");
}

TEST(IniFileTest, UnreadableOrUnwritableFilesFail) {
    TempDir dir;
    IniFile ini;
    ini.Parse("[Kept]\r\n");
    EXPECT_FALSE(ini.Load(dir.Path("").c_str())); // a folder is not a readable file
    EXPECT_EQ(ini.Text(), "[Kept]\r\n");
    EXPECT_FALSE(ini.Save(dir.Path("no-such-folder/x.ini").c_str()));
    if (::geteuid() != 0) {
        const std::string path = dir.Write("locked.ini", "[A]\r\n");
        ::chmod(path.c_str(), 0);
        EXPECT_FALSE(ini.Load(path.c_str()));
        ::chmod(path.c_str(), 0600);
    }
}

} // namespace
