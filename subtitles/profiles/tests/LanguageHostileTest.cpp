// Damaged and hostile language profiles: every problem is reported through the error control with
// the line it is on, the rest of the profile loads, nothing crashes, and a profile that cannot be
// read leaves the language as it was.
#include "subtitles/profiles/TLanguageReader.h"
#include "subtitles/profiles/tests/LanguageFixture.h"
#include "subtitles/zip/TZipControl.h"

namespace {

using LanguageHostileTest = LanguageTest;

TEST_F(LanguageHostileTest, HugeLineIsSkippedWithAnError) {
    WriteScript("a.ssa");
    const std::string huge = "Select: 0:00:01.00,0:00:02.00,1,0:00:00.00,0," + std::string(100000, 'x');
    auto language = LoadText("[Script]\r\nload: a.ssa\r\n" + huge +
                             "\r\nSelect: 0:00:03.00,0:00:04.00,1,0:00:00.00,0,kept\r\n");
    EXPECT_EQ(ErrorsWith("line 3: the line is longer than 2500 characters"), 1) << Errors().front();
    EXPECT_EQ(SelectionsOf(*language->Titles.Head), std::vector<std::string>{"kept@3000-4000>0~0"});
}

// A script that is not there is reported; its selections are dropped rather than attached to the
// script loaded before it; what follows the next "load:" line loads.
TEST_F(LanguageHostileTest, MissingScriptIsReportedAndItsSelectionsDropped) {
    WriteScript("a.ssa");
    WriteScript("c.ssa");
    auto language =
        LoadText("[Script]\r\nload: a.ssa\r\nSelect: 0:00:01.00,0:00:02.00,1,0:00:00.00,0,a\r\n"
                 "load: gone.ssa,SSA4,,0,0\r\nSelect: 0:00:01.00,0:00:02.00,1,0:00:00.00,0,gone\r\n"
                 "load: c.ssa\r\nSelect: 0:00:01.00,0:00:02.00,1,0:00:00.00,0,c\r\n");
    EXPECT_EQ(ErrorsWith("line 4: the script \"gone.ssa\" cannot be loaded"), 1)
        << testing::PrintToString(Errors());
    EXPECT_EQ(SelectionsOf(*language->Titles.Head),
              (std::vector<std::string>{"a@1000-2000>0~0", "c@1000-2000>0~0"}));
    EXPECT_EQ(language->Scripts.Count, 2);
}

struct TBadLine {
    const char* Name;
    std::string Line;
    std::string Error;
    int LineNumber = 7;
};

void PrintTo(const TBadLine& line, std::ostream* os) {
    *os << line.Name;
}

class BadLines : public LanguageTest, public testing::WithParamInterface<TBadLine> {};

TEST_P(BadLines, AreReportedAndSkipped) {
    WriteScript("a.ssa");
    WriteScript("b.ssa");
    auto language = LoadText("[Infos]\r\nDVD Region: 3\r\n[Script]\r\nload: a.ssa\r\n"
                             "Select: 0:00:01.00,0:00:02.00,1,0:00:00.00,0,good\r\nInfo: 4\r\n" +
                             GetParam().Line + "\r\n[Infos]\r\nCreated By: after\r\n");
    EXPECT_EQ(ErrorsWith("line " + std::to_string(GetParam().LineNumber) + ": " + GetParam().Error), 1)
        << testing::PrintToString(Errors());
    EXPECT_EQ(Errors().size(), 1u);
    EXPECT_EQ(SelectionsOf(*language->Titles.Head), std::vector<std::string>{"good@1000-2000>0~0"});
    EXPECT_EQ(language->Titles.Head->Selects.Head->Info, 4);
    EXPECT_EQ(language->Region, 3);
    EXPECT_EQ(language->CreatedBy, "after");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadLines,
    testing::Values(
        TBadLine{"TimeNotATime", "Select: 0:0x:01.00,0:00:02.00,1,0:00:00.00,0,bad",
                 "\"0:0x:01.00\" is not a time"},
        TBadLine{"TimeWithoutHundredths", "Select: 0:00:01,0:00:02.00,1,0:00:00.00,0,bad",
                 "\"0:00:01\" is not a time"},
        TBadLine{"TimeFieldTooWide", "Select: 0:00000:01.00,0:00:02.00,1,0:00:00.00,0,bad",
                 "\"0:00000:01.00\" is not a time"},
        TBadLine{"TitleNotANumber", "Select: 0:00:01.00,0:00:02.00,one,0:00:00.00,0,bad",
                 "\"one\" is not a number of a title"},
        TBadLine{"NegativeTitle", "-Select: 0:00:01.00,0:00:02.00,-4,0:00:00.00,0,bad",
                 "\"-4\" is not a number of a title"},
        TBadLine{"TitleBeyond32Bits", "Select: 0:00:01.00,0:00:02.00,99999999999,0:00:00.00,0,bad",
                 "\"99999999999\" is not a number"},
        TBadLine{"RampNotANumber", "Select: 0:00:01.00,0:00:02.00,1,0:00:00.00,1.5,bad",
                 "\"1.5\" is not a number"},
        TBadLine{"InfoNotANumber", "Info: first", "the selection info \"first\" is not a number"},
        TBadLine{"RegionBeyondAByte", "[Infos]\r\nDVD Region: 300",
                 "DVD Region \"300\" is not a number from 0 to 255", 8},
        TBadLine{"FramesNotANumber", "[Infos]\r\nFrames by sec: fast",
                 "Frames by sec \"fast\" is not a number", 8},
        TBadLine{"CodePageNotANumber", "load: a.ssa,SSA4,,0,utf8", "the code page \"utf8\" is not a number"},
        TBadLine{"UnknownCodePage", "load: b.ssa,SSA4,,0,99999",
                 "the script \"b.ssa\" cannot be loaded (The code page 99999 is not known"},
        TBadLine{"ScriptNameTooLong", "load: " + std::string(400, 'n') + ".ssa",
                 "the script name of the \"load:\" line is longer than 300"},
        TBadLine{"NoScriptName", "load: ,SSA4,,0,0",
                 "the script \"\" cannot be loaded (No script name is given"},
        TBadLine{"NulInScriptName", std::string("load: a.ssa\0/x", 14),
                 "the script \"a.ssa\\x00/x\" cannot be loaded (the script name holds a NUL character"},
        TBadLine{"DeviceAsScript", "load: /dev/zero",
                 "the script \"/dev/zero\" cannot be loaded (/dev/zero is not a regular file"}),
    [](const testing::TestParamInfo<TBadLine>& info) { return std::string(info.param.Name); });

TEST_F(LanguageHostileTest, ProblemsAreCountedPastTheFirstTen) {
    std::string text = "[Script]\r\n";
    for (int i = 0; i < 25; ++i) {
        text += "Info: bad\r\n";
    }
    LoadText(text);
    EXPECT_EQ(ErrorsWith("is not a number"), 10);
    EXPECT_EQ(ErrorsWith("15 more lines of the language profile cannot be read"), 1);
}

TEST_F(LanguageHostileTest, ProfileThatCannotBeReadLeavesTheLanguageAsItWas) {
    WriteScript("a.ssa");
    auto language = LoadText("[Script]\r\nload: a.ssa\r\nSelect: 0:00:01.00,0:00:02.00,1,0:00:00.00,0,a\r\n");
    const std::string before = Written(*language);
    Sink.reports.clear();

    language->Entry = Dir.WPath("nothere.ds");
    EXPECT_FALSE(language->Load(nullptr, true));
    EXPECT_EQ(ErrorsWith("Unable to open file : " + Dir.Path("nothere.ds")), 1);
    EXPECT_EQ(Written(*language), before);

    language->SetFile(u"English", u"1-English.ds", Dir.WPath("nothere.zds"));
    EXPECT_FALSE(language->Load(nullptr, true));
    EXPECT_EQ(ErrorsWith("Unable to open file : " + Dir.Path("nothere.zds")), 1);

    TZipControl zip;
    ASSERT_TRUE(zip.Create(Dir.Path("empty.zds").c_str()));
    ASSERT_TRUE(zip.AddEntry("other.ds", "x", 1));
    ASSERT_TRUE(zip.Close());
    language->SetFile(u"English", u"1-English.ds", Dir.WPath("empty.zds"));
    EXPECT_FALSE(language->Load(nullptr, true));
    EXPECT_EQ(ErrorsWith("\"1-English.ds\" is missing from the archive"), 1);

    language->SetFile(u"English", u"", u"");
    EXPECT_FALSE(language->Load(nullptr, true));
    EXPECT_EQ(ErrorsWith("names no language profile"), 1);
    EXPECT_EQ(Written(*language), before);
    EXPECT_TRUE(language->Loaded);
}

TEST_F(LanguageHostileTest, BinaryGarbageLoadsNothingAndDoesNotCrash) {
    std::string garbage;
    for (int i = 0; i < 20000; ++i) {
        garbage += static_cast<char>((i * 7919) % 256);
    }
    auto language = LoadText("[Script]\r\n" + garbage + "\r\n[Styles]\r\n" + garbage);
    EXPECT_EQ(language->Titles.Count, 0);
    EXPECT_EQ(language->Scripts.Count, 0);
    EXPECT_GE(language->Styles.Count, 1);
}

TEST_F(LanguageHostileTest, LimitsOnTitlesAndSelectionsHold) {
    WriteScript("a.ssa");
    std::string text = "[Script]\r\nload: a.ssa\r\n";
    for (int i = 0; i <= TLanguageReader::kMaxTitles; ++i) {
        text += "Select: 0:00:01.00,0:00:02.00," + std::to_string(i) + ",0:00:00.00,0,t\r\n";
    }
    auto language = LoadText(text);
    EXPECT_EQ(language->Titles.Count, TLanguageReader::kMaxTitles);
    EXPECT_EQ(ErrorsWith("more than 1000 titles"), 1);
}

} // namespace
