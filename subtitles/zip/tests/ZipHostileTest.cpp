// Hostile archives built byte by byte: names that lead outside the target folder, links, lying
// sizes, zip bombs, damaged data and directories. Each is refused with its reason, and nothing is
// ever written outside the target folder (nor left inside it).
#include "subtitles/zip/TZipControl.h"

#include "foundation/tests/TempDir.h"
#include "subtitles/zip/tests/RawZip.h"
#include "subtitles/zip/tests/ZipTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>

namespace {

constexpr uint16_t kUnixMadeBy = (3 << 8) | 20;
constexpr uint32_t kUnixLink = static_cast<uint32_t>(S_IFLNK | 0777) << 16;

class ZipHostileTest : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directory(target_); }

    // Writes the archive beside the target folder and opens it.
    void OpenArchive(const std::string& bytes) {
        archive_ = dir_.Write("hostile.zip", bytes);
        ASSERT_TRUE(zip_.Open(archive_.c_str())) << ZipErrorText(zip_.LastError());
    }

    // Every file below the test folder but the archive and the files the test made on purpose.
    std::vector<std::string> StrayFiles(const std::vector<std::string>& expected = {}) {
        std::vector<std::string> stray;
        for (const std::string& file : FilesBelow(dir_.Path(""))) {
            if (file != "hostile.zip" &&
                std::find(expected.begin(), expected.end(), file) == expected.end()) {
                stray.push_back(file);
            }
        }
        return stray;
    }

    TempDir dir_;
    const std::string target_ = dir_.Path("target");
    std::string archive_;
    TZipControl zip_;
};

TEST_F(ZipHostileTest, NamesLeadingOutsideTheFolderAreNotExtracted) {
    const std::vector<std::string> names = {
        "../evil.txt", "..\\evil.txt", "sub/../../evil.txt", dir_.Path("evil.txt"),
        "\\evil.txt",  "C:\\evil.txt", "C:evil.txt",         "//server/share/evil.txt",
        "..",          "sub/.."};
    for (const std::string& name : names) {
        OpenArchive(BuildRawZip({{.Name = name, .Content = "owned"}}).Bytes);
        EXPECT_FALSE(zip_.ExtractEntry(name.c_str(), target_.c_str())) << name;
        EXPECT_EQ(zip_.LastError(), TZipError::UnsafeName) << name;
        char* buffer = nullptr;
        uint32_t size = 0;
        EXPECT_TRUE(zip_.ReadEntry(name.c_str(), buffer, size)) << name; // memory is no risk
        TZipControl::FreeBuffer(buffer);
        EXPECT_EQ(StrayFiles(), std::vector<std::string>{}) << name;
    }
}

TEST_F(ZipHostileTest, LinkEntriesAreNeitherReadNorExtracted) {
    OpenArchive(BuildRawZip({{.Name = "link",
                              .Content = "../..",
                              .Method = 0,
                              .VersionMadeBy = kUnixMadeBy,
                              .ExternalAttributes = kUnixLink}})
                    .Bytes);
    EXPECT_FALSE(zip_.ExtractEntry("link", target_.c_str()));
    EXPECT_EQ(zip_.LastError(), TZipError::NotAFile);
    EXPECT_EQ(StrayFiles(), std::vector<std::string>{});
}

TEST_F(ZipHostileTest, LinksInTheTargetFolderAreNotFollowed) {
    std::filesystem::create_directory(dir_.Path("outside"));
    dir_.Write("outside/kept.txt", "keep");
    std::filesystem::create_directory_symlink(dir_.Path("outside"), dir_.Path("target/sub"));
    std::filesystem::create_symlink(dir_.Path("outside/kept.txt"), dir_.Path("target/leaf.txt"));
    OpenArchive(
        BuildRawZip({{.Name = "sub/evil.txt", .Content = "owned"}, {.Name = "leaf.txt", .Content = "new"}})
            .Bytes);

    EXPECT_FALSE(zip_.ExtractEntry("sub/evil.txt", target_.c_str()));
    EXPECT_EQ(zip_.LastError(), TZipError::UnsafeName);
    // The link itself is replaced by the file; what it pointed at stays as it was.
    EXPECT_TRUE(zip_.ExtractEntry("leaf.txt", target_.c_str()));
    EXPECT_FALSE(std::filesystem::is_symlink(dir_.Path("target/leaf.txt")));
    EXPECT_EQ(TempDir::Read(dir_.Path("target/leaf.txt")), "new");
    EXPECT_EQ(TempDir::Read(dir_.Path("outside/kept.txt")), "keep");
    EXPECT_EQ(StrayFiles({"outside/kept.txt", "target/sub", "target/leaf.txt"}), std::vector<std::string>{});
}

struct EntryCase {
    const char* Label;
    RawZipEntry Entry;
    TZipError Expected;
};

std::string Zeros(std::size_t size) {
    return std::string(size, '\0');
}

TEST_F(ZipHostileTest, EntriesBeyondLimitsOrDamagedAreRefusedWithoutOverrun) {
    const std::vector<EntryCase> cases = {
        {"stored size claims more",
         {.Content = "hello", .Method = 0, .DeclaredSize = 900000},
         TZipError::SizeMismatch},
        {"deflated size claims more", {.Content = "hello", .DeclaredSize = 1000}, TZipError::SizeMismatch},
        {"size claims less", {.Content = Zeros(100000), .DeclaredSize = 10}, TZipError::DamagedEntry},
        {"size claims 4 GB", {.Content = "hello", .DeclaredSize = 0xFFFFFFFFu}, TZipError::EntryTooLarge},
        {"size claims 200 MB", {.Content = "hello", .DeclaredSize = 200u << 20}, TZipError::SuspiciousRatio},
        {"zip bomb", {.Content = Zeros(20u << 20)}, TZipError::SuspiciousRatio},
        {"compressed size claims more",
         {.Content = "hello", .Method = 0, .DeclaredCompressedSize = 500},
         TZipError::DamagedEntry},
        {"wrong checksum", {.Content = "hello", .Crc = 0x12345678}, TZipError::DamagedEntry},
        {"encrypted", {.Content = "hello", .Method = 0, .Flags = 1}, TZipError::Encrypted},
        {"bzip2", {.Content = "hello", .Method = 12}, TZipError::UnsupportedMethod},
        {"deflate garbage",
         {.Content = "\xff\xff\xff\xff garbage", .Method = 99},
         TZipError::UnsupportedMethod},
    };
    for (EntryCase c : cases) {
        c.Entry.Name = "entry.txt";
        OpenArchive(BuildRawZip({c.Entry}).Bytes);
        char* buffer = nullptr;
        uint32_t size = 0;
        EXPECT_FALSE(zip_.ReadEntry("entry.txt", buffer, size)) << c.Label;
        EXPECT_EQ(zip_.LastError(), c.Expected) << c.Label << ": " << ZipErrorText(zip_.LastError());
        EXPECT_EQ(buffer, nullptr) << c.Label;
        EXPECT_FALSE(zip_.ExtractEntry("entry.txt", target_.c_str())) << c.Label;
        EXPECT_EQ(zip_.LastError(), c.Expected) << c.Label;
        EXPECT_EQ(StrayFiles(), std::vector<std::string>{}) << c.Label;
    }
}

TEST_F(ZipHostileTest, CorruptDeflateDataIsRefused) {
    RawZipLayout layout = BuildRawZip({{.Name = "entry.txt", .Content = std::string(5000, 'a') + "tail"}});
    const std::size_t dataStart = 30 + std::string("entry.txt").size();
    for (std::size_t i = dataStart; i < layout.DirectoryOffset; ++i) {
        layout.Bytes[i] = static_cast<char>(0xFF);
    }
    OpenArchive(layout.Bytes);
    char* buffer = nullptr;
    uint32_t size = 0;
    EXPECT_FALSE(zip_.ReadEntry("entry.txt", buffer, size));
    EXPECT_EQ(zip_.LastError(), TZipError::DamagedEntry);
    EXPECT_FALSE(zip_.ExtractEntry("entry.txt", target_.c_str()));
    EXPECT_EQ(StrayFiles(), std::vector<std::string>{});
}

struct ArchiveCase {
    const char* Label;
    std::string Bytes;
    TZipError Expected;
};

TEST_F(ZipHostileTest, DamagedDirectoriesAreNotOpened) {
    const RawZipLayout two =
        BuildRawZip({{.Name = "a.txt", .Content = "a"}, {.Name = "b.txt", .Content = "b"}});
    const std::string end = two.Bytes.substr(two.Bytes.size() - 22);
    const std::vector<ArchiveCase> cases = {
        {"count claims more entries", BuildRawZip({{.Name = "a.txt", .Content = "a"}}, 2).Bytes,
         TZipError::DamagedDirectory},
        {"directory cut short", two.Bytes.substr(0, two.DirectoryOffset + 30) + end, TZipError::CannotOpen},
        {"directory garbled",
         two.Bytes.substr(0, two.DirectoryOffset) +
             std::string(two.Bytes.size() - 22 - two.DirectoryOffset, 'x') + end,
         TZipError::DamagedDirectory},
        {"file cut in half", two.Bytes.substr(0, two.Bytes.size() / 2), TZipError::CannotOpen},
        {"end record only of another archive", end, TZipError::CannotOpen},
    };
    for (const ArchiveCase& c : cases) {
        archive_ = dir_.Write("hostile.zip", c.Bytes);
        EXPECT_FALSE(zip_.Open(archive_.c_str())) << c.Label;
        EXPECT_EQ(zip_.LastError(), c.Expected) << c.Label << ": " << ZipErrorText(zip_.LastError());
        EXPECT_FALSE(zip_.IsOpen()) << c.Label;
        EXPECT_EQ(zip_.GetEntryCount(), 0) << c.Label;
        EXPECT_FALSE(zip_.OpenMemory(c.Bytes.data(), c.Bytes.size())) << c.Label;
    }
}

TEST_F(ZipHostileTest, TheLargestEntryCountIsReadWhole) {
    std::vector<RawZipEntry> entries(65535);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        entries[i].Name = std::to_string(i);
        entries[i].Method = 0;
    }
    OpenArchive(BuildRawZip(entries).Bytes);
    ASSERT_EQ(zip_.GetEntryCount(), 65535);
    EXPECT_STREQ(zip_.GetEntry(65534)->Name, "65534");
}

TEST_F(ZipHostileTest, AnArchiveWithoutEntriesOpensEmpty) {
    OpenArchive(BuildRawZip({}).Bytes);
    EXPECT_EQ(zip_.GetEntryCount(), 0);
}

} // namespace
