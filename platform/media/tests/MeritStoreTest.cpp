#include "platform/media/MeritStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace plat::media {
namespace {

class MeritStoreTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("merit-store-" + std::to_string(::getpid()) + "-" +
                   testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::filesystem::path folder_;
    const Guid a_ = *Guid::Parse("{00000000-0000-0000-0000-00000000000A}");
    const Guid b_ = *Guid::Parse("{00000000-0000-0000-0000-00000000000B}");
    const Guid c_ = *Guid::Parse("{00000000-0000-0000-0000-00000000000C}");
};

TEST_F(MeritStoreTest, RoundTripsExactValues) {
    MeritStore store(folder_);
    store.Set(a_, 0xFFFFFFFFu);
    store.Set(b_, 0);
    store.Set(c_, MERIT_DO_NOT_USE + 1);
    ASSERT_EQ(store.Save(), S_OK);

    MeritStore read(folder_);
    ASSERT_EQ(read.Load(), S_OK);
    EXPECT_EQ(read.Merits(), store.Merits());
    EXPECT_EQ(read.Find(a_), 0xFFFFFFFFu);
    EXPECT_TRUE(read.Erase(a_));
    EXPECT_FALSE(read.Erase(a_));
    EXPECT_FALSE(read.Find(a_).has_value());
    // Only the file itself is left behind: the temporary was renamed over it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);
}

TEST_F(MeritStoreTest, MissingFileIsAnEmptyStore) {
    MeritStore store(folder_);
    EXPECT_EQ(store.Load(), S_FALSE);
    EXPECT_TRUE(store.Merits().empty());
}

TEST_F(MeritStoreTest, MalformedFileIsRefusedWhole) {
    for (const char* text : {"{00000000-0000-0000-0000-00000000000A} 12\nnonsense\n",
                             "{00000000-0000-0000-0000-00000000000A} 4294967296\n",
                             "{00000000-0000-0000-0000-00000000000A} -1\n", "{0000} 1\n",
                             "{00000000-0000-0000-0000-00000000000A} 12x\n"}) {
        std::ofstream(folder_ / "merits.txt") << text;
        MeritStore store(folder_);
        store.Set(b_, 1);
        EXPECT_EQ(store.Load(), VFW_E_INVALID_FILE_FORMAT) << text;
        EXPECT_TRUE(store.Merits().empty());
    }
}

TEST_F(MeritStoreTest, SaveIntoAMissingFolderFails) {
    MeritStore store(folder_ / "missing" / "deeper");
    store.Set(a_, 1);
    EXPECT_EQ(store.Save(), E_FAIL);
}

TEST(MeritRankTest, ProjectsMeritsOntoRanks) {
    const std::pair<std::uint32_t, unsigned> cases[] = {
        {0, 0},
        {MERIT_DO_NOT_USE, 0},
        {MERIT_DO_NOT_USE + 1, 1},
        {MERIT_UNLIKELY, 64},
        {0x500000, 96},
        {MERIT_NORMAL, 128},
        {MERIT_PREFERRED, 256},
        {MERIT_PREFERRED + 1, 257},
        {MERIT_PREFERRED + 0x10000, 257},
        {MERIT_PREFERRED + 0x10001, 258},
        {0xFFFFFFFFu, 65664},
    };
    for (const auto& [merit, rank] : cases) {
        EXPECT_EQ(MeritStore::RankForMerit(merit), rank) << std::hex << merit;
    }
    for (const unsigned rank : {0u, 64u, 128u, 256u, 300u}) {
        EXPECT_EQ(MeritStore::RankForMerit(MeritStore::MeritForRank(rank)), rank) << rank;
    }
    EXPECT_EQ(MeritStore::MeritForRank(0), MERIT_DO_NOT_USE);
    EXPECT_EQ(MeritStore::MeritForRank(256), MERIT_PREFERRED);
}

TEST(MeritRankTest, ProjectionIsMonotonic) {
    unsigned previous = 0;
    for (std::uint64_t merit = 0; merit <= 0xFFFFFFFFu; merit += 0x1357) {
        const unsigned rank = MeritStore::RankForMerit(static_cast<std::uint32_t>(merit));
        ASSERT_GE(rank, previous) << merit;
        previous = rank;
    }
}

} // namespace
} // namespace plat::media
