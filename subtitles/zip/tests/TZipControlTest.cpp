// The zip control on archives it writes itself: its lifecycle, writing, reading back, extraction and
// the archives' soundness as the Info-ZIP and Python tools see it.
#include "subtitles/zip/TZipControl.h"

#include "foundation/tests/TempDir.h"
#include "subtitles/zip/ZipTime.h"
#include "subtitles/zip/tests/ProcessRun.h"
#include "subtitles/zip/tests/ZipTestSupport.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <string>
#include <utime.h>

namespace {

constexpr int64_t kSourceTime = 1614834367; // 2021-03-04 05:06:07 UTC, an odd second

struct Member {
    std::string Name;   // as added
    std::string Stored; // as the archive keeps it
    std::string Content;
};

std::string Repetitive(std::size_t size) {
    std::string text;
    for (std::size_t i = 0; text.size() < size; ++i) {
        text += "Dialogue: 0,0:00:" + std::to_string(i % 60) + ".00,Default,,0,0,0,,line " +
                std::to_string(i) + "\r\n";
    }
    text.resize(size);
    return text;
}

uint64_t Ticks(const TFileTime& time) {
    return (static_cast<uint64_t>(time.High) << 32) | time.Low;
}

class ZipControlTest : public ::testing::Test {
protected:
    const std::vector<Member> members_{
        {"volumes.vl", "volumes.vl", "[Header]\r\nTitle: Test\r\n"},
        {"empty.txt", "empty.txt", ""},
        {"Ünïcode/日本.ssa", "Ünïcode/日本.ssa", "[Script Info]\r\n"},
        {"dir\\sub.txt", "dir/sub.txt", "backslashes become slashes"},
        {"big.ssa", "big.ssa", Repetitive(300000)},
    };

    // Writes the members, and a file added from disk, to `path`.
    void WriteArchive(const std::string& path) {
        TZipControl zip;
        ASSERT_TRUE(zip.Create(path.c_str()));
        EXPECT_TRUE(zip.IsOpen());
        for (const Member& member : members_) {
            ASSERT_TRUE(zip.AddEntry(member.Name.c_str(), member.Content.data(),
                                     static_cast<uint32_t>(member.Content.size())))
                << member.Name;
        }
        const std::string source = dir_.Write("source.txt", "from a file");
        const utimbuf times{kSourceTime, kSourceTime};
        ::utime(source.c_str(), &times);
        ASSERT_TRUE(zip.AddFileW(u"added.txt", plat::text::AnsiToWide(source).c_str()));
        ASSERT_TRUE(zip.Close());
        EXPECT_FALSE(zip.IsOpen());
    }

    std::string ReadMember(TZipControl& zip, const char* name) {
        char* buffer = nullptr;
        uint32_t size = 0;
        EXPECT_TRUE(zip.ReadEntry(name, buffer, size)) << name << ": " << ZipErrorText(zip.LastError());
        std::string content = buffer ? std::string(buffer, size) : std::string();
        TZipControl::FreeBuffer(buffer);
        return content;
    }

    TempDir dir_;
};

TEST(ZipControlClosed, AnswersEveryOperationWithFailureAndChangesNothing) {
    TZipControl zip;
    EXPECT_FALSE(zip.IsOpen());
    EXPECT_FALSE(zip.Close());
    EXPECT_EQ(zip.LastError(), TZipError::NotOpen);
    EXPECT_EQ(zip.GetEntryCount(), 0);
    EXPECT_EQ(zip.GetEntry(0), nullptr);
    EXPECT_EQ(zip.FindEntry("a", nullptr, false), -1);
    EXPECT_FALSE(zip.ReadDirectory());
    char stale = 'x';
    char* buffer = &stale;
    uint32_t size = 7;
    EXPECT_FALSE(zip.ReadEntry("a", buffer, size));
    EXPECT_EQ(buffer, nullptr);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(zip.LastError(), TZipError::NotOpen);
    EXPECT_FALSE(zip.ExtractEntry("a", "/tmp"));
    EXPECT_FALSE(zip.AddEntry("a", "x", 1));
    EXPECT_EQ(zip.LastError(), TZipError::NotOpen);
    EXPECT_FALSE(TZipControl::FreeBuffer(buffer));
}

TEST_F(ZipControlTest, WrittenArchivesPassTheZipToolsWithSlashesAndUtf8Names) {
    const std::string archive = dir_.Path("profile.zds");
    WriteArchive(archive);
    EXPECT_TRUE(UnzipAccepts(archive));
    EXPECT_TRUE(PythonAccepts(archive));
    const ProcessResult names = RunProcess(
        {"python3", "-c", "import sys, zipfile; print('|'.join(zipfile.ZipFile(sys.argv[1]).namelist()))",
         archive});
    EXPECT_EQ(names.Output, "volumes.vl|empty.txt|Ünïcode/日本.ssa|dir/sub.txt|big.ssa|added.txt\n");
}

TEST_F(ZipControlTest, ReadsBackRecordsAndContents) {
    const std::string archive = dir_.Path("profile.zds");
    const int64_t before = static_cast<int64_t>(std::time(nullptr));
    WriteArchive(archive);
    TZipControl zip;
    ASSERT_TRUE(zip.OpenW(plat::text::AnsiToWide(archive).c_str()));
    ASSERT_EQ(zip.GetEntryCount(), static_cast<int32_t>(members_.size()) + 1);
    EXPECT_EQ(zip.GetEntry(zip.GetEntryCount()), nullptr);
    EXPECT_EQ(zip.GetEntry(-1), nullptr);

    for (std::size_t i = 0; i < members_.size(); ++i) {
        const TZipEntry* entry = zip.GetEntry(static_cast<int32_t>(i));
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->Index, static_cast<int32_t>(i));
        EXPECT_STREQ(entry->Name, members_[i].Stored.c_str());
        EXPECT_EQ(entry->UncompressedSize, members_[i].Content.size());
        EXPECT_EQ(entry->Attributes, zipattr::kArchive);
        // DOS times have 2-second steps.
        EXPECT_GE(Ticks(entry->LastWriteTime) + 20000000, Ticks(ziptime::FromUnix(before)));
        EXPECT_LE(Ticks(entry->LastWriteTime),
                  Ticks(ziptime::FromUnix(static_cast<int64_t>(std::time(nullptr)))));
        EXPECT_EQ(Ticks(entry->CreationTime), Ticks(entry->LastWriteTime));
        if (!members_[i].Content.empty()) {
            EXPECT_EQ(ReadMember(zip, members_[i].Stored.c_str()), members_[i].Content);
        }
    }
    EXPECT_LT(zip.GetEntry(4)->CompressedSize, zip.GetEntry(4)->UncompressedSize / 5);
    EXPECT_EQ(ReadMember(zip, "added.txt"), "from a file");
    // A file keeps its own time, in the 2-second steps of DOS times.
    EXPECT_EQ(Ticks(zip.GetEntry(5)->LastWriteTime), Ticks(ziptime::FromUnix(kSourceTime - 1)));
}

TEST_F(ZipControlTest, FindsEntriesWithoutRegardToCaseOrSeparator) {
    const std::string archive = dir_.Path("profile.zds");
    WriteArchive(archive);
    TZipControl zip;
    ASSERT_TRUE(zip.Open(archive.c_str()));

    EXPECT_EQ(ReadMember(zip, "VOLUMES.VL"), members_[0].Content);
    EXPECT_EQ(zip.FindEntry("VOLUMES.VL", nullptr, true), -1);
    TZipEntry record{};
    EXPECT_EQ(zip.FindEntry("VOLUMES.VL", &record, false), 0);
    EXPECT_STREQ(record.Name, "volumes.vl");
    EXPECT_EQ(zip.FindEntry("dir\\sub.txt", nullptr, true), 3);
    EXPECT_EQ(zip.FindEntry("ÜNÏCODE/日本.SSA", nullptr, false), 2);
    EXPECT_EQ(zip.FindEntry("missing", nullptr, false), -1);

    char* buffer = nullptr;
    uint32_t size = 0;
    ASSERT_TRUE(zip.ReadEntryW(u"Volumes.vl", buffer, size));
    EXPECT_EQ(buffer[size], '\0'); // text can be read in place
    EXPECT_EQ(buffer[size + 1], '\0');
    EXPECT_TRUE(TZipControl::FreeBuffer(buffer));
    EXPECT_EQ(buffer, nullptr);
    EXPECT_FALSE(TZipControl::FreeBuffer(buffer));
}

TEST_F(ZipControlTest, RefusesEmptyAndMissingEntries) {
    const std::string archive = dir_.Path("profile.zds");
    WriteArchive(archive);
    TZipControl zip;
    ASSERT_TRUE(zip.Open(archive.c_str()));
    char* buffer = nullptr;
    uint32_t size = 0;
    EXPECT_FALSE(zip.ReadEntry("empty.txt", buffer, size));
    EXPECT_EQ(zip.LastError(), TZipError::EmptyEntry);
    EXPECT_EQ(buffer, nullptr);
    EXPECT_FALSE(zip.ReadEntry("nothing.txt", buffer, size));
    EXPECT_EQ(zip.LastError(), TZipError::EntryNotFound);
    EXPECT_FALSE(zip.ExtractEntry("empty.txt", dir_.Path("").c_str()));
    EXPECT_EQ(zip.LastError(), TZipError::EmptyEntry);
}

TEST_F(ZipControlTest, ExtractsIntoTheFolderMakingSubfolders) {
    const std::string archive = dir_.Path("profile.zds");
    WriteArchive(archive);
    std::filesystem::create_directory(dir_.Path("out"));
    TZipControl zip;
    ASSERT_TRUE(zip.Open(archive.c_str()));

    EXPECT_TRUE(zip.ExtractEntry("DIR/sub.txt", dir_.Path("out").c_str())); // no trailing separator
    EXPECT_EQ(TempDir::Read(dir_.Path("out/DIR/sub.txt")), members_[3].Content);
    EXPECT_TRUE(zip.ExtractEntryW(u"Ünïcode\\日本.ssa", plat::text::AnsiToWide(dir_.Path("out/")).c_str()));
    EXPECT_EQ(TempDir::Read(dir_.Path("out/Ünïcode/日本.ssa")), members_[2].Content);
    dir_.Write("out/volumes.vl", "older content");
    EXPECT_TRUE(zip.ExtractEntry("volumes.vl", dir_.Path("out/").c_str()));
    EXPECT_EQ(TempDir::Read(dir_.Path("out/volumes.vl")), members_[0].Content);
    EXPECT_EQ(FilesBelow(dir_.Path("out")).size(), 3u); // no temporary file left behind

    EXPECT_FALSE(zip.ExtractEntry("volumes.vl", dir_.Path("missing-folder").c_str()));
    EXPECT_EQ(zip.LastError(), TZipError::CannotWriteFile);
}

TEST_F(ZipControlTest, SavesInPlaceOfTheOldFileOnlyWhenClosedSuccessfully) {
    const std::string archive = dir_.Write("profile.zds", "the old profile");
    TZipControl zip;
    ASSERT_TRUE(zip.Create(archive.c_str()));
    ASSERT_TRUE(zip.AddEntry("volumes.vl", "v", 1));
    EXPECT_EQ(TempDir::Read(archive), "the old profile");
    ASSERT_TRUE(zip.Close());
    EXPECT_TRUE(UnzipAccepts(archive));
    EXPECT_EQ(dir_.EntryCount(), 1u);

    // A folder that disappears before the archive is saved: the failure is reported.
    std::filesystem::create_directory(dir_.Path("gone"));
    ASSERT_TRUE(zip.Create(dir_.Path("gone/new.zds").c_str()));
    ASSERT_TRUE(zip.AddEntry("volumes.vl", "v", 1));
    std::filesystem::remove(dir_.Path("gone"));
    EXPECT_FALSE(zip.Close());
    EXPECT_EQ(zip.LastError(), TZipError::WriteFailed);
    EXPECT_FALSE(zip.IsOpen());
}

TEST_F(ZipControlTest, ADiscardedArchiveLeavesTheOldFileAndTheControlReusable) {
    const std::string archive = dir_.Write("profile.zds", "the old profile");
    TZipControl zip;
    ASSERT_TRUE(zip.Create(archive.c_str()));
    ASSERT_TRUE(zip.AddEntry("volumes.vl", "v", 1));
    zip.Discard();
    EXPECT_FALSE(zip.IsOpen());
    EXPECT_EQ(TempDir::Read(archive), "the old profile");
    EXPECT_EQ(dir_.EntryCount(), 1u);

    ASSERT_TRUE(zip.Create(archive.c_str()));
    ASSERT_TRUE(zip.AddEntry("volumes.vl", "v", 1));
    ASSERT_TRUE(zip.Close());
    EXPECT_TRUE(UnzipAccepts(archive));
    ASSERT_TRUE(zip.Open(archive.c_str()));
    zip.Discard();
    EXPECT_FALSE(zip.IsOpen());
    EXPECT_TRUE(UnzipAccepts(archive));
}

TEST_F(ZipControlTest, AFileThatFailsWhileAddedSpoilsTheArchiveAndKeepsTheOldFile) {
    const std::string archive = dir_.Write("profile.zds", "the old profile");
    TZipControl zip;
    ASSERT_TRUE(zip.Create(archive.c_str()));
    ASSERT_TRUE(zip.AddEntry("volumes.vl", "v", 1));
    // A regular file whose reading fails with an I/O error at its first byte.
    EXPECT_FALSE(zip.AddFile("memory.bin", "/proc/self/mem"));
    EXPECT_EQ(zip.LastError(), TZipError::WriteFailed);
    EXPECT_FALSE(zip.AddEntry("later.txt", "x", 1));
    EXPECT_FALSE(zip.Close());
    EXPECT_EQ(TempDir::Read(archive), "the old profile");
    EXPECT_EQ(dir_.EntryCount(), 1u);
}

TEST_F(ZipControlTest, RefusesToCreateWhereNoFileCanBe) {
    const std::vector<std::string> paths = {"", dir_.Path("missing/a.zds"), dir_.Path("")};
    TZipControl zip;
    for (const std::string& path : paths) {
        EXPECT_FALSE(zip.Create(path.c_str())) << path;
        EXPECT_EQ(zip.LastError(), TZipError::CannotCreate) << path;
        EXPECT_FALSE(zip.IsOpen());
    }
}

TEST_F(ZipControlTest, RefusesUnsafeNamesOnWriteAndKeepsTheArchiveSound) {
    const std::vector<std::string> names = {"",         "../x.txt",     "a/../../x.txt",
                                            "/abs.txt", "\\abs.txt",    "C:\\x.txt",
                                            "C:x.txt",  "\xff\xfe.txt", std::string(260, 'n')};
    const std::string archive = dir_.Path("a.zip");
    TZipControl zip;
    ASSERT_TRUE(zip.Create(archive.c_str()));
    for (const std::string& name : names) {
        EXPECT_FALSE(zip.AddEntry(name.c_str(), "x", 1)) << name;
        EXPECT_EQ(zip.LastError(), TZipError::BadName) << name;
    }
    EXPECT_FALSE(zip.AddFile("ok.txt", dir_.Path("no-such-file").c_str()));
    EXPECT_EQ(zip.LastError(), TZipError::CannotReadFile);
    EXPECT_FALSE(zip.AddFile("ok.txt", dir_.Path("").c_str())); // a folder
    EXPECT_TRUE(zip.AddEntry(std::string(259, 'n').c_str(), "x", 1));
    ASSERT_TRUE(zip.Close());
    EXPECT_TRUE(UnzipAccepts(archive));
    ASSERT_TRUE(zip.Open(archive.c_str()));
    EXPECT_EQ(zip.GetEntryCount(), 1);
}

TEST_F(ZipControlTest, ReopensForAnyNumberOfArchivesAndKeepsReadingAndWritingApart) {
    const std::string first = dir_.Path("first.zip");
    const std::string second = dir_.Path("second.zip");
    TZipControl zip;
    ASSERT_TRUE(zip.Create(first.c_str()));
    ASSERT_TRUE(zip.AddEntry("one.txt", "1", 1));
    char* buffer = nullptr;
    uint32_t size = 0;
    EXPECT_FALSE(zip.ReadEntry("one.txt", buffer, size));
    EXPECT_EQ(zip.LastError(), TZipError::NotReading);
    ASSERT_TRUE(zip.CreateW(plat::text::AnsiToWide(second).c_str())); // saves the first
    ASSERT_TRUE(zip.AddEntry("two.txt", "22", 2));
    ASSERT_TRUE(zip.Open(first.c_str())); // saves the second
    EXPECT_EQ(zip.GetEntryCount(), 1);
    EXPECT_FALSE(zip.AddEntry("x.txt", "x", 1));
    EXPECT_EQ(zip.LastError(), TZipError::NotWriting);
    ASSERT_TRUE(zip.Open(second.c_str()));
    ASSERT_EQ(zip.GetEntryCount(), 1);
    EXPECT_STREQ(zip.GetEntry(0)->Name, "two.txt");
    EXPECT_TRUE(zip.Close());
    EXPECT_EQ(zip.GetEntryCount(), 0);
}

TEST_F(ZipControlTest, RefusesFilesThatAreNotArchives) {
    const std::vector<std::string> paths = {dir_.Path("missing.zip"),
                                            dir_.Write("text.zip", "not a zip at all"),
                                            dir_.Write("empty.zip", ""), dir_.Path("")};
    TZipControl zip;
    for (const std::string& path : paths) {
        EXPECT_FALSE(zip.Open(path.c_str())) << path;
        EXPECT_EQ(zip.LastError(), TZipError::CannotOpen) << path;
        EXPECT_FALSE(zip.IsOpen());
    }
}

TEST_F(ZipControlTest, ArchivesWithoutEntriesAreWrittenAndReadBack) {
    const std::string archive = dir_.Path("empty.zip");
    TZipControl zip;
    ASSERT_TRUE(zip.Create(archive.c_str()));
    ASSERT_TRUE(zip.Close());
    EXPECT_TRUE(PythonAccepts(archive));
    ASSERT_TRUE(zip.Open(archive.c_str())) << ZipErrorText(zip.LastError());
    EXPECT_EQ(zip.GetEntryCount(), 0);
}

TEST_F(ZipControlTest, ReadsArchivesHeldInMemoryAsFromFiles) {
    const std::string archive = dir_.Path("profile.zds");
    WriteArchive(archive);
    const std::string bytes = TempDir::Read(archive);
    TZipControl zip;
    ASSERT_TRUE(zip.OpenMemory(bytes.data(), bytes.size()));
    EXPECT_EQ(zip.GetEntryCount(), static_cast<int32_t>(members_.size()) + 1);
    EXPECT_EQ(ReadMember(zip, "big.ssa"), members_[4].Content);
}

} // namespace
