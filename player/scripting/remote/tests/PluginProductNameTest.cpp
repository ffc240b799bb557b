#include "player/scripting/remote/PluginProductName.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string FileBytes(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(PluginProductName, IsReadFromTheExportedText) {
    EXPECT_EQ(ReadPluginProductName(TESTPLUG_FULL), std::optional<std::string>("Test remote \xc3\xa9"));
}

TEST(PluginProductName, IsNothingWithoutTheSymbolOrForOtherFiles) {
    EXPECT_EQ(ReadPluginProductName(TESTPLUG_NOCALLBACK), std::nullopt);
    EXPECT_EQ(ReadPluginProductName("/nonexistent/plugX.so"), std::nullopt);
    EXPECT_EQ(ParsePluginProductName("plain text, not a library"), std::nullopt);
    EXPECT_EQ(ParsePluginProductName(""), std::nullopt);
}

// Every cut of a real library, and every damaged header byte, answers the name or nothing.
TEST(PluginProductName, SurvivesCutAndDamagedFiles) {
    const std::string image = FileBytes(TESTPLUG_FULL);
    ASSERT_GT(image.size(), 64u);
    for (std::size_t size = 0; size < image.size(); size += 61) {
        const auto name = ParsePluginProductName(std::string_view(image).substr(0, size));
        EXPECT_TRUE(!name || *name == "Test remote \xc3\xa9") << size;
    }
    std::string damaged = image;
    for (std::size_t at = 0; at < image.size(); at += 7) {
        const char kept = damaged[at];
        damaged[at] = static_cast<char>(0xFF);
        const auto name = ParsePluginProductName(damaged);
        EXPECT_TRUE(!name || name->size() <= kMaxPluginProductName) << at;
        damaged[at] = kept;
    }
}

} // namespace
