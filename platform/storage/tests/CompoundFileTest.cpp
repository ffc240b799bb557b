#include "platform/storage/CompoundFile.h"
#include "platform/storage/CompoundFormat.h"

#include "foundation/tests/TempDir.h"
#include "platform/storage/tests/GsfTool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>

using plat::storage::CompoundElement;
using plat::storage::CompoundFile;
using plat::storage::CompoundFormat;
using plat::storage::StorageError;
using Access = CompoundFile::Access;

namespace {

std::string Pattern(std::size_t size, char seed) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(seed + i * 7 + i / 251);
    }
    return bytes;
}

// Streams on both sides of the mini-stream limit (4096 bytes) and an empty one.
const std::vector<std::pair<std::u16string, std::string>>& SampleStreams() {
    static const std::vector<std::pair<std::u16string, std::string>> streams = {
        {u"Info", Pattern(7464, 1)}, {u"Empty", ""},
        {u"Small", Pattern(100, 2)}, {u"Edge", Pattern(4095, 3)},
        {u"Big", Pattern(4096, 4)},  {u"Large", Pattern(70000, 5)},
    };
    return streams;
}

std::string WriteSample(const TempDir& dir) {
    const std::string path = dir.Path("sample.dsi");
    CompoundFile file;
    EXPECT_TRUE(file.Open(path, Access::Update, true));
    for (const auto& [name, bytes] : SampleStreams()) {
        EXPECT_TRUE(file.WriteStream(name, bytes));
    }
    return path;
}

// A file made by another writer: a storage with a class identifier and a stream inside.
std::string WriteNested(const TempDir& dir) {
    CompoundElement inner{u"Inner", false, "inner bytes", {}, {}};
    CompoundElement sub{u"Sub", true, {}, {}, {inner}};
    sub.classId = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    CompoundElement root{u"", true, {}, {}, {sub, CompoundElement{u"Top", false, "top", {}, {}}}};
    return dir.Write("nested.dsi", *CompoundFormat::Write(root));
}

} // namespace

TEST(CompoundFile, StreamsReadBackAsWritten) {
    TempDir dir;
    const std::string path = WriteSample(dir);
    CompoundFile file;
    ASSERT_TRUE(file.Open(path, Access::Read, false));
    std::vector<std::u16string> names;
    for (const auto& [name, bytes] : SampleStreams()) {
        names.push_back(name);
        const std::string* stream = file.Stream(name);
        ASSERT_NE(stream, nullptr) << std::string(name.begin(), name.end());
        EXPECT_EQ(*stream, bytes);
    }
    std::vector<std::u16string> listed = file.ElementNames();
    std::sort(listed.begin(), listed.end());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(listed, names);
}

TEST(CompoundFile, NamesAreComparedWithoutRegardToCaseAndKeepTheirSpelling) {
    TempDir dir;
    const std::string path = WriteSample(dir);
    CompoundFile file;
    ASSERT_TRUE(file.Open(path, Access::Update, false));
    ASSERT_NE(file.Stream(u"INFO"), nullptr);
    ASSERT_TRUE(file.WriteStream(u"iNfO", "new"));
    file.Close();
    ASSERT_TRUE(file.Open(path, Access::Read, false));
    const std::vector<std::u16string> names = file.ElementNames();
    EXPECT_NE(std::find(names.begin(), names.end(), u"Info"), names.end());
    EXPECT_EQ(*file.Stream(u"info"), "new");
    EXPECT_EQ(file.ElementNames().size(), SampleStreams().size());
}

TEST(CompoundFile, AShorterRewriteLeavesNoStaleTail) {
    TempDir dir;
    const std::string path = WriteSample(dir);
    CompoundFile file;
    ASSERT_TRUE(file.Open(path, Access::Update, false));
    ASSERT_TRUE(file.WriteStream(u"Large", "short"));
    file.Close();
    ASSERT_TRUE(file.Open(path, Access::Read, false));
    EXPECT_EQ(*file.Stream(u"Large"), "short");
}

TEST(CompoundFile, ChangingOneStreamKeepsEveryOtherElementAsItWas) {
    TempDir dir;
    const std::string path = WriteNested(dir);
    CompoundFile file;
    ASSERT_TRUE(file.Open(path, Access::Update, false));
    ASSERT_TRUE(file.WriteStream(u"Top", "changed"));
    ASSERT_TRUE(file.WriteStream(u"Added", Pattern(5000, 9)));
    file.Close();

    ASSERT_TRUE(file.Open(path, Access::Read, false));
    const CompoundElement* sub = file.Root().Find(u"sub");
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(sub->isStorage);
    EXPECT_EQ(sub->classId, (plat::storage::ClassId{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
    ASSERT_NE(sub->Find(u"Inner"), nullptr);
    EXPECT_EQ(sub->Find(u"Inner")->bytes, "inner bytes");
    EXPECT_EQ(*file.Stream(u"Top"), "changed");
    EXPECT_EQ(file.Stream(u"Sub"), nullptr) << "a storage is no stream";
}

TEST(CompoundFile, AnIndependentReaderSeesWhatWasWritten) {
    if (!GsfTool::Available()) {
        GTEST_SKIP() << "the gsf program (libgsf-bin) is not installed";
    }
    TempDir dir;
    const std::string path = WriteSample(dir);
    {
        CompoundFile file;
        ASSERT_TRUE(file.Open(path, Access::Update, false));
        ASSERT_TRUE(file.WriteStream(u"Small", "rewritten"));
    }
    const auto entries = GsfTool::List(path);
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), SampleStreams().size());
    for (const auto& [name, bytes] : SampleStreams()) {
        const std::string member(name.begin(), name.end());
        const std::string expected = member == "Small" ? "rewritten" : bytes;
        EXPECT_EQ(GsfTool::Cat(path, member), expected) << member;
    }
    const auto nestedEntries = GsfTool::List(WriteNested(dir));
    ASSERT_TRUE(nestedEntries);
    ASSERT_EQ(nestedEntries->size(), 3u);
    EXPECT_EQ(GsfTool::Cat(dir.Path("nested.dsi"), "Sub/Inner"), "inner bytes");
}

TEST(CompoundFile, AFileTheIndependentWriterMadeIsReadAndKept) {
    if (!GsfTool::Available()) {
        GTEST_SKIP() << "the gsf program (libgsf-bin) is not installed";
    }
    TempDir dir;
    const std::string info = dir.Write("Info", Pattern(7464, 1));
    const std::string titles = dir.Write("TitlesChaptersInfo", Pattern(300, 2));
    const std::string made = dir.Path("made.dsi");
    ASSERT_EQ(
        std::system(("gsf createole '" + made + "' '" + info + "' '" + titles + "' >/dev/null").c_str()), 0);
    CompoundFile file;
    ASSERT_TRUE(file.Open(made, Access::Update, false));
    EXPECT_EQ(*file.Stream(u"info"), Pattern(7464, 1));
    ASSERT_TRUE(file.WriteStream(u"B0001", "state"));
    file.Close();
    EXPECT_EQ(GsfTool::Cat(made, "TitlesChaptersInfo"), Pattern(300, 2));
    EXPECT_EQ(GsfTool::Cat(made, "B0001"), "state");
}

TEST(CompoundFile, DestroyElementRemovesOnlyThatElement) {
    TempDir dir;
    const std::string path = WriteSample(dir);
    CompoundFile file;
    ASSERT_TRUE(file.Open(path, Access::Update, false));
    ASSERT_TRUE(file.DestroyElement(u"EDGE"));
    EXPECT_FALSE(file.DestroyElement(u"Edge"));
    EXPECT_EQ(file.Error(), StorageError::NoElement);
    file.Close();
    ASSERT_TRUE(file.Open(path, Access::Read, false));
    EXPECT_EQ(file.ElementNames().size(), SampleStreams().size() - 1);
    EXPECT_EQ(file.Stream(u"Edge"), nullptr);
    EXPECT_EQ(*file.Stream(u"Large"), Pattern(70000, 5));
}

TEST(CompoundFile, RefusedChangesLeaveTheFileAsItWas) {
    TempDir dir;
    const std::string path = WriteSample(dir);
    const std::string before = TempDir::Read(path);
    CompoundFile file;
    ASSERT_TRUE(file.Open(path, Access::Read, false));
    EXPECT_FALSE(file.WriteStream(u"Info", "x"));
    EXPECT_EQ(file.Error(), StorageError::ReadOnly);
    ASSERT_TRUE(file.Open(path, Access::Update, false));
    for (const std::u16string name :
         {u"", u"a/b", u"a\\b", u"a:b", u"a!b", u"tab\t", u"12345678901234567890123456789012"}) {
        EXPECT_FALSE(file.WriteStream(name, "x"));
        EXPECT_EQ(file.Error(), StorageError::BadName);
    }
    const CompoundFile::StreamWrite writes[] = {{u"Fine", "x"}, {u"not/fine", "y"}};
    EXPECT_FALSE(file.WriteStreams(writes));
    EXPECT_EQ(file.Stream(u"Fine"), nullptr);
    EXPECT_TRUE(CompoundFile::IsValidName(u"1234567890123456789012345678901"));
    file.Close();
    EXPECT_EQ(TempDir::Read(path), before);
    EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST(CompoundFile, AFailedWriteKeepsTheOldFileAndLeavesNothingBehind) {
    TempDir dir;
    const std::string path = WriteSample(dir);
    const std::string before = TempDir::Read(path);
    CompoundFile file;
    ASSERT_TRUE(file.Open(path, Access::Update, false));
    // A file size limit makes the write of the new file fail, as a full disk would.
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 16384;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = file.WriteStream(u"Huge", Pattern(200000, 6));
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(file.Error(), StorageError::WriteFailed);
    EXPECT_EQ(file.Stream(u"Huge"), nullptr);
    ASSERT_TRUE(file.WriteStream(u"Small", "still works"));
    file.Close();
    EXPECT_EQ(dir.EntryCount(), 1u);
    ASSERT_TRUE(file.Open(path, Access::Read, false));
    EXPECT_EQ(*file.Stream(u"Small"), "still works");
    EXPECT_EQ(*file.Stream(u"Large"), Pattern(70000, 5));
    EXPECT_NE(TempDir::Read(path), before);
}

TEST(CompoundFile, TheReplacementKeepsThePermissions) {
    TempDir dir;
    const std::string path = WriteSample(dir);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    CompoundFile file;
    ASSERT_TRUE(file.Open(path, Access::Update, false));
    ASSERT_TRUE(file.WriteStream(u"Info", "x"));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(CompoundFile, MissingFilesAreMadeOnlyWhenAsked) {
    TempDir dir;
    const std::string path = dir.Path("sub-missing.dsi");
    CompoundFile file;
    EXPECT_FALSE(file.Open(path, Access::Update, false));
    EXPECT_EQ(file.Error(), StorageError::NotFound);
    EXPECT_FALSE(file.Open(path, Access::Read, false));
    EXPECT_EQ(dir.EntryCount(), 0u);
    ASSERT_TRUE(file.Open(path, Access::Read, true));
    EXPECT_TRUE(file.ElementNames().empty());
    EXPECT_TRUE(file.WriteStream(u"Info", "made")) << "a made file is open for update";
    EXPECT_FALSE(file.Open(dir.Path("no-folder/x.dsi"), Access::Update, true));
    EXPECT_EQ(file.Error(), StorageError::WriteFailed);
}

TEST(CompoundFile, DamagedAndForeignFilesAreRefusedAndNeverReplaced) {
    TempDir dir;
    const std::string sample = TempDir::Read(WriteSample(dir));
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"empty", ""},
        {"text", "not a compound file at all"},
        {"head only", sample.substr(0, 512)},
        {"truncated", sample.substr(0, sample.size() / 2)},
        {"signature and noise", sample.substr(0, 8) + Pattern(3000, 11)},
    };
    for (const auto& [label, bytes] : cases) {
        const std::string path = dir.Write("bad.dsi", bytes);
        CompoundFile file;
        const bool opened = file.Open(path, Access::Update, true);
        if (opened) {
            // A cut file whose directory survives may open; what it lists must be readable.
            for (const std::u16string& name : file.ElementNames()) {
                file.Stream(name);
            }
            continue;
        }
        EXPECT_TRUE(file.Error() == StorageError::NotCompound || file.Error() == StorageError::TooLarge)
            << label;
        EXPECT_EQ(TempDir::Read(path), bytes) << label;
    }
}

TEST(CompoundFile, SomethingElseInPlaceOfTheFileIsRefusedWithoutBlocking) {
    TempDir dir;
    const std::string fifo = dir.Path("fifo.dsi");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    CompoundFile file;
    EXPECT_FALSE(file.Open(fifo, Access::Read, false));
    EXPECT_EQ(file.Error(), StorageError::IoError);
    std::filesystem::create_directory(dir.Path("folder.dsi"));
    EXPECT_FALSE(file.Open(dir.Path("folder.dsi"), Access::Update, true));
    EXPECT_EQ(file.Error(), StorageError::IoError);
}

TEST(CompoundFile, AnUpdateOpenIsExclusiveAndReadOpensShare) {
    TempDir dir;
    const std::string path = WriteSample(dir);
    CompoundFile reader1;
    CompoundFile reader2;
    ASSERT_TRUE(reader1.Open(path, Access::Read, false, 0));
    ASSERT_TRUE(reader2.Open(path, Access::Read, false, 0));
    CompoundFile writer;
    EXPECT_FALSE(writer.Open(path, Access::Update, false, 20));
    EXPECT_EQ(writer.Error(), StorageError::Locked);
    reader1.Close();
    reader2.Close();
    ASSERT_TRUE(writer.Open(path, Access::Update, false, 0));
    EXPECT_FALSE(reader1.Open(path, Access::Read, false, 20));
    EXPECT_EQ(reader1.Error(), StorageError::Locked);
    ASSERT_TRUE(writer.WriteStream(u"Info", "x")) << "the replacement is held as the old file was";
    EXPECT_FALSE(reader1.Open(path, Access::Read, false, 20));
    writer.Close();
    EXPECT_TRUE(reader1.Open(path, Access::Read, false, 0));
}

TEST(CompoundFile, ConcurrentReadChangeWriteCyclesLoseNothing) {
    TempDir dir;
    const std::string path = dir.Path("counter.dsi");
    constexpr int kPerThread = 25;
    auto appendMarks = [&](char mark) {
        for (int i = 0; i < kPerThread; ++i) {
            CompoundFile file;
            ASSERT_TRUE(file.Open(path, Access::Update, true, 30000)) << "error " << static_cast<int>(file.Error());
            const std::string* old = file.Stream(u"Marks");
            ASSERT_TRUE(file.WriteStream(u"Marks", (old ? *old : std::string()) + mark));
        }
    };
    std::thread a(appendMarks, 'a');
    std::thread b(appendMarks, 'b');
    a.join();
    b.join();
    CompoundFile file;
    ASSERT_TRUE(file.Open(path, Access::Read, false));
    const std::string marks = *file.Stream(u"Marks");
    EXPECT_EQ(std::count(marks.begin(), marks.end(), 'a'), kPerThread);
    EXPECT_EQ(std::count(marks.begin(), marks.end(), 'b'), kPerThread);
    EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST(CompoundFile, FilesOpenedInTurnEachShowTheirOwnElements) {
    TempDir dir;
    const std::string first = dir.Path("first.dsi");
    const std::string second = dir.Path("second.dsi");
    for (int round = 0; round < 3; ++round) {
        for (const std::string& path : {first, second}) {
            CompoundFile file;
            ASSERT_TRUE(file.Open(path, Access::Update, true));
            ASSERT_TRUE(file.WriteStream(u"Round", path + std::to_string(round)));
        }
        for (const std::string& path : {second, first}) {
            CompoundFile file;
            ASSERT_TRUE(file.Open(path, Access::Read, false));
            EXPECT_EQ(*file.Stream(u"Round"), path + std::to_string(round));
            EXPECT_EQ(file.ElementNames().size(), 1u);
        }
    }
}
