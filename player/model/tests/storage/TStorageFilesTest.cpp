// The stream wrapper: results, the allocating and the bounded read, and a shorter rewrite.
#include "player/model/storage/TStorageFiles.h"

#include "foundation/tests/TempDir.h"

#include <gtest/gtest.h>

TEST(TStorageFiles, WritesAndReadsStreamsWithByteCounts) {
    TempDir dir;
    TStorageFiles storage;
    EXPECT_EQ(storage.Open(dir.WPath("a.dsi"), true, false), -1);
    ASSERT_EQ(storage.Open(dir.WPath("a.dsi"), true, true), 0);
    EXPECT_EQ(storage.WriteStream(u"TitlesChaptersInfo", "0123456789", 10), 10);
    EXPECT_EQ(storage.Close(), 0) << "a close that succeeds answers success";

    ASSERT_EQ(storage.Open(dir.WPath("a.dsi"), false, false), 0);
    std::string buffer;
    uint32_t size = 0;
    EXPECT_EQ(storage.ReadStream(u"titleschaptersinfo", buffer, size, true), 10);
    EXPECT_EQ(size, 10u);
    EXPECT_EQ(buffer, "0123456789");
    std::string bounded(4, '-');
    size = 6;
    EXPECT_EQ(storage.ReadStream(u"TitlesChaptersInfo", bounded, size, false), 4) << "never past the buffer";
    EXPECT_EQ(bounded, "0123");
    EXPECT_EQ(storage.ReadStream(u"Missing", buffer, size, true), -1);
    EXPECT_EQ(storage.WriteStream(u"Other", "x", 1), -1) << "opened for reading";
    EXPECT_EQ(storage.Close(), 0);
}

TEST(TStorageFiles, AShorterRewriteTruncatesTheStream) {
    TempDir dir;
    TStorageFiles storage;
    ASSERT_EQ(storage.Open(dir.WPath("a.dsi"), true, true), 0);
    ASSERT_EQ(storage.WriteStream(u"Stream", "a long first content", 20), 20);
    ASSERT_EQ(storage.WriteStream(u"Stream", "short", 5), 5);
    storage.Close();
    ASSERT_EQ(storage.Open(dir.WPath("a.dsi"), false, false), 0);
    std::string buffer;
    uint32_t size = 0;
    EXPECT_EQ(storage.ReadStream(u"Stream", buffer, size, true), 5);
    EXPECT_EQ(buffer, "short");
}
