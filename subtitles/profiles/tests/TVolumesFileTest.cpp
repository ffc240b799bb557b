// The volume file "volumes.vl": the writer against a golden file, the reader's rules, and reading
// the golden file back into the same bytes.
#include "foundation/TMemoryObject.h"
#include "foundation/tests/TempDir.h"
#include "subtitles/profiles/TDVDProfile.h"
#include "subtitles/profiles/TLanguage.h"
#include "subtitles/profiles/TVolume.h"
#include "subtitles/profiles/TVolumesReader.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Golden() {
    return TempDir::Read(std::string(PROFILES_GOLDEN_DIR) + "/volumes.vl");
}

std::string Written(const TDVDProfile& profile) {
    TMemoryObject out(256);
    out.AppendFormatA("left over");
    profile.WriteVolumes(out);
    return {out.Data, static_cast<std::size_t>(out.Used)};
}

std::string Rewritten(std::string_view text) {
    TDVDProfile profile;
    profile.Header.ArchivePath = u"/profiles/read.zds";
    TVolumesReader(profile).Read(text);
    return Written(profile);
}

void AddLanguages(TVolume& volume, std::initializer_list<std::u16string_view> names) {
    for (std::u16string_view name : names) {
        volume.AddLanguage(name, {}, {});
    }
}

TEST(TVolumesFile, WritesTheGoldenFile) {
    TDVDProfile profile;
    profile.Header.Title = "Harbour Lights, the complete series";
    profile.Header.CreatedBy = "Ada Tester";
    profile.Header.Version = "1.2";
    profile.Header.LastUpdate = "2026-12-11";
    TVolume* one = profile.AddVolume(u"Disc One");
    one->CreatedBy = "Ada Tester";
    one->Version = "1.0";
    one->LastUpdate = "2026-12-01";
    one->Studio = "North Studio";
    one->PartNumber = "NS-001";
    one->Region = 2;
    one->ChapterChange = 1;
    one->AddIdHigh(123456);
    one->AddIdHigh(-2147483647 - 1);
    one->AddIdHigh(77); // no low half: not written
    one->AddIdLow(-654321);
    one->AddIdLow(2147483647);
    AddLanguages(*one, {u"English", u"Français"});
    TVolume* two = profile.AddVolume();
    two->Name = "Disc Two";
    AddLanguages(*two, {u"Deutsch", u"Español"});
    EXPECT_EQ(Written(profile), Golden());
}

TEST(TVolumesFile, ReadsTheGoldenFileIntoTheProfile) {
    TDVDProfile profile;
    profile.Header.ArchivePath = u"/profiles/harbour.zds";
    TVolumesReader(profile).Read(Golden());
    EXPECT_EQ(profile.Header.Title, "Harbour Lights, the complete series"); // header values keep commas
    EXPECT_EQ(profile.Header.LastUpdate, "2026-12-11");
    ASSERT_EQ(profile.Volumes.Count, 2);
    const TVolume& one = *profile.Volumes.Head;
    EXPECT_EQ(one.Name, "Disc One");
    EXPECT_EQ(one.Studio, "North Studio");
    EXPECT_EQ(one.PartNumber, "NS-001");
    EXPECT_EQ(one.Region, 2);
    EXPECT_EQ(one.ChapterChange, 1);
    EXPECT_TRUE(one.MatchesDiscId(123456, -654321));
    EXPECT_TRUE(one.MatchesDiscId(-2147483647 - 1, 2147483647));
    EXPECT_EQ(one.Index, 1);
    EXPECT_EQ(profile.Volumes.Tail->Index, 2);
    EXPECT_EQ(profile.Volumes.Tail->ChapterChange, 0);
    const std::u16string expected[] = {u"English", u"Français", u"Deutsch", u"Español"};
    const std::u16string entries[] = {u"1-English.ds", u"2-Français.ds", u"3-Deutsch.ds", u"4-Español.ds"};
    int i = 0;
    for (const TVolume* volume = profile.Volumes.Head; volume; volume = volume->Next) {
        EXPECT_EQ(volume->Pool, profile.Pool.get());
        for (const TLanguage* language = volume->Languages.Head; language; language = language->Next, ++i) {
            ASSERT_LT(i, 4);
            EXPECT_EQ(language->Name, expected[i]);
            EXPECT_EQ(language->Entry, entries[i]);
            EXPECT_EQ(language->ArchivePath, u"/profiles/harbour.zds");
            EXPECT_EQ(language->Pool, profile.Pool.get());
        }
    }
    EXPECT_EQ(i, 4);
    EXPECT_EQ(Written(profile), Golden());
}

TEST(TVolumesFile, ReaderRules) {
    struct Case {
        const char* name;
        std::string text;
        std::string expected; // the [Volumes] part of the file written back
    };
    const std::string volumeHead = ";******************************************************************\r\n";
    const auto volume = [&](const std::string& name, const std::string& fields) {
        return volumeHead + "Volume: " + name + "\r\n" + volumeHead + "\r\nCreated By: \r\nVersion: \r\n" +
               "Last Update: \r\nStudio: \r\nPart Number: \r\n" + fields + "\r\n";
    };
    const auto language = [](int number, const std::string& name) {
        return ";---------------------------\r\nLanguage: " + name +
               "\r\n\r\nScript: " + std::to_string(number) + "-" + name +
               ".ds\r\n;---------------------------\r\n\r\n";
    };
    const Case cases[] = {
        {"a volume name keeps the text before a comma", "[Volumes]\nVolume: First, the pilot\nRegion: 258\n",
         volume("First", "Region: 2\r\n")},
        {"two high halves and one low half fill slots 1 and 2, and only slot 1 is written",
         "[volumes]\r\nVolume: V\r\nIDHigh: 10\r\nIDHigh: 20\r\nIDLow: 30\r\n",
         volume("V", "Region: 0\r\nIDHigh: 10\r\nIDLow: 30\r\n")},
        {"an eleventh pair finds no slot",
         "[Volumes]\rVolume: V\r" +
             [] {
                 std::string ids;
                 for (int i = 1; i <= 11; ++i) {
                     ids += "IDHigh: " + std::to_string(i) + "\rIDLow: " + std::to_string(-i) + "\r";
                 }
                 return ids;
             }(),
         volume(
             "V", "Region: 0\r\n" +
                      [] {
                          std::string ids;
                          for (int i = 1; i <= 10; ++i) {
                              ids += "IDHigh: " + std::to_string(i) + "\r\nIDLow: " + std::to_string(-i) +
                                     "\r\n";
                          }
                          return ids;
                      }())},
        {"unsigned identifier halves stand for the same 32 bits; others read as 0",
         "[Volumes]\nVolume: V\nIDHigh: 4294967295\nIDLow: 3000000000\nIDHigh: 99999999999\nIDLow: 5\n",
         volume("V", "Region: 0\r\nIDHigh: -1\r\nIDLow: -1294967296\r\n")},
        {"volume fields before the first volume and a script without a language are ignored",
         "[Volumes]\nStudio: lost\nLanguage: lost\nScript: lost.ds\nVolume: V\nScript: 1-x.ds\n"
         "UseChapterChange:\n",
         volume("V", "Region: 0\r\nUseChapterChange:\r\n")},
        {"a language needs its script line, and a new volume forgets the language name",
         "[Volumes]\nVolume: A\nLanguage: English\nVolume: B\nScript: 1-English.ds\nLanguage: Deutsch\n"
         "Script: 9-Deutsch.ds\n",
         volume("A", "Region: 0\r\n") + volume("B", "Region: 0\r\n") + language(1, "Deutsch")},
        {"comments, lines outside sections and unknown keys are skipped",
         "Volume: outside\n[Volumes]\n;Volume: comment\nColour: red\nVolume: V\n",
         volume("V", "Region: 0\r\n")},
        {"texts are cut to their fields at a character boundary",
         "[Volumes]\nVolume: V\nVersion: 1.2.3.4.5.6\nStudio: " + std::string(148, 's') + "é\n",
         volumeHead + "Volume: V\r\n" + volumeHead + "\r\nCreated By: \r\nVersion: 1.2.3.4.5\r\n" +
             "Last Update: \r\nStudio: " + std::string(148, 's') + "\r\nPart Number: \r\nRegion: 0\r\n\r\n"},
        {"an empty volume name is the default name", "[Volumes]\nVolume:\n",
         volume("Unnamed...", "Region: 0\r\n")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string written = Rewritten(c.text);
        const std::size_t start = written.find("[Volumes]\r\n") + 11;
        const std::size_t end = written.rfind("\r\n\r\n;Written by");
        ASSERT_LT(start, end);
        EXPECT_EQ(written.substr(start, end - start), c.expected);
    }
}

TEST(TVolumesFile, HeaderAndFormatSections) {
    TDVDProfile profile;
    TVolumesReader(profile).Read(
        "[HEADER]\nTitle: A, B\nCreated By: me\nVersion: 12345678901\nOther: x\n[Format]\n"
        "Volume: Name, Studio,Region\nLanguage: Name\nVolume: Name, Part Number\n");
    EXPECT_EQ(profile.Header.Title, "A, B");
    EXPECT_EQ(profile.Header.CreatedBy, "me");
    EXPECT_EQ(profile.Header.Version, "123456789");
    std::vector<std::string> volumeColumns;
    for (const TFormat* column = profile.VolumeColumns.Head; column; column = column->Next) {
        volumeColumns.push_back(column->Name);
    }
    EXPECT_EQ(volumeColumns, (std::vector<std::string>{"Name", "Part Number"}));
    ASSERT_EQ(profile.LanguageColumns.Count, 1);
    EXPECT_EQ(profile.LanguageColumns.Head->Name, "Name");
    EXPECT_EQ(profile.Volumes.Count, 0);
}

TEST(TVolumesFile, LongLinesAreReadInPiecesWithoutHarm) {
    const std::string text = "[Volumes]\nVolume: " + std::string(6000, 'v') + "\nStudio: S\n";
    TDVDProfile profile;
    TVolumesReader(profile).Read(text);
    ASSERT_EQ(profile.Volumes.Count, 1);
    EXPECT_EQ(profile.Volumes.Head->Name, std::string(TVolume::kMaxName, 'v'));
    EXPECT_EQ(profile.Volumes.Head->Studio, "S");
}

} // namespace
