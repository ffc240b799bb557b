#include "platform/audio/ManualWaveOut.h"
#include "platform/audio/tests/WaveBytes.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace plat::audio {
namespace {

TEST(ManualWaveOutTest, CompletesInOrderAndResetReturnsEveryQueuedBlock) {
    ManualWaveOut out;
    std::vector<std::pair<std::uintptr_t, std::uint64_t>> done;
    ASSERT_TRUE(out.Open(testing::StereoFormat16(), [&](std::uintptr_t user, std::uint64_t serial) {
        done.emplace_back(user, serial);
    }));
    const std::uint8_t bytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const std::uint64_t first = out.Write(bytes, 8, 10);
    const std::uint64_t second = out.Write(bytes, 4, 11);
    const std::uint64_t third = out.Write(bytes, 4, 12);
    EXPECT_EQ(out.Write(bytes, 0, 13), 0u);
    ASSERT_TRUE(out.CompleteOne());
    EXPECT_EQ(out.PositionBytes(), 8u);
    out.Reset();
    EXPECT_EQ(out.PositionBytes(), 0u);
    EXPECT_EQ(done, (std::vector<std::pair<std::uintptr_t, std::uint64_t>>{
                        {10, first}, {11, second}, {12, third}}));
    EXPECT_FALSE(out.CompleteOne());
    out.Close();
    EXPECT_FALSE(out.PositionBytes().has_value());
    EXPECT_EQ(out.Write(bytes, 4, 1), 0u);
}

} // namespace
} // namespace plat::audio
