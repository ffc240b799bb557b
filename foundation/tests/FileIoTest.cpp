// Replacing writes: a new content replaces the file whole; the same content leaves the file as it was
// (no new file, no flush), so saving unchanged settings at every quit costs no disk write.
#include "foundation/FileIo.h"
#include "foundation/tests/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

namespace {

ino_t InodeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

TEST(FileIo, TheSameBytesLeaveTheFileOtherBytesReplaceIt) {
    TempDir dir;
    const std::string path = dir.Write("settings.ini", "[Sound]\r\nVolume=50\r\n");
    const ino_t before = InodeOf(path);
    const std::string same = "[Sound]\r\nVolume=50\r\n";
    ASSERT_TRUE(fileio::WriteWholeFile(path.c_str(), same.data(), same.size()));
    EXPECT_EQ(InodeOf(path), before) << "not replaced";

    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"other bytes of the same length", "[Sound]\r\nVolume=51\r\n"},
        {"longer", "[Sound]\r\nVolume=100\r\n"},
        {"empty", ""},
    };
    for (const Case& c : cases) {
        const ino_t old = InodeOf(path);
        ASSERT_TRUE(fileio::WriteWholeFile(path.c_str(), c.bytes.data(), c.bytes.size())) << c.name;
        EXPECT_NE(InodeOf(path), old) << c.name;
        std::string read;
        ASSERT_TRUE(fileio::ReadWholeFile(path.c_str(), read));
        EXPECT_EQ(read, c.bytes) << c.name;
    }
    // An empty file written empty again stays.
    const ino_t empty = InodeOf(path);
    ASSERT_TRUE(fileio::WriteWholeFile(path.c_str(), nullptr, 0));
    EXPECT_EQ(InodeOf(path), empty);
}

} // namespace
