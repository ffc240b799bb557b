#include "subtitles/model/PageBlockCheck.h"

#include "subtitles/model/TTextEvent.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

namespace {

// A page block (from its head on) with events of the given texts.
std::vector<std::byte> Block(std::initializer_list<const char16_t*> texts) {
    std::vector<std::byte> block(kPageBlockHeadBytes);
    const TSubtitlePageBlockHead head{kPageBlockHeadBytes, 1, static_cast<std::uint32_t>(texts.size())};
    std::memcpy(block.data(), &head, sizeof head);
    for (const char16_t* text : texts) {
        TTextEvent event;
        event.AttachRecord(nullptr);
        event.SetText(text, false);
        const std::size_t at = block.size();
        block.resize(at + event.GetRecordSize());
        event.WriteRecord(block.data() + at, block.size() - at);
    }
    return block;
}

void Put32(std::vector<std::byte>& block, std::size_t at, std::uint32_t value) {
    std::memcpy(block.data() + at, &value, sizeof value);
}

TEST(PageBlockCheck, AcceptsWellFormedBlocks) {
    const auto block = Block({u"Hi", nullptr, u"abc"});
    const TPageBlockCheck check = CheckPageBlock(block);
    ASSERT_TRUE(check.ok) << check.error;
    EXPECT_EQ(check.recordOffsets, (std::vector<std::size_t>{12, 222, 426}));
    EXPECT_TRUE(CheckPageBlock(Block({})).ok);
}

struct BadBlock {
    const char* name;
    std::function<void(std::vector<std::byte>&)> damage;
};

void PrintTo(const BadBlock& c, std::ostream* os) {
    *os << c.name;
}

class PageBlockCheckRefuses : public testing::TestWithParam<BadBlock> {};

TEST_P(PageBlockCheckRefuses, RefusesDamagedBlocks) {
    auto block = Block({u"Hi", u"abc"});
    GetParam().damage(block);
    const TPageBlockCheck check = CheckPageBlock(block);
    EXPECT_FALSE(check.ok);
    EXPECT_FALSE(check.error.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Damage, PageBlockCheckRefuses,
    testing::Values(BadBlock{"short", [](auto& b) { b.resize(11); }},
                    BadBlock{"head size", [](auto& b) { Put32(b, 0, 13); }},
                    BadBlock{"count past records", [](auto& b) { Put32(b, 8, 3); }},
                    BadBlock{"huge count", [](auto& b) { Put32(b, 8, 0xFFFFFFFF); }},
                    BadBlock{"size zero", [](auto& b) { Put32(b, 12 + 8, 0); }},
                    BadBlock{"size below a text record", [](auto& b) { Put32(b, 12 + 8, 200); }},
                    BadBlock{"odd size", [](auto& b) { Put32(b, 12 + 8, 211); }},
                    BadBlock{"size past the end", [](auto& b) { Put32(b, 222 + 8, 214); }},
                    BadBlock{"size wraps", [](auto& b) { Put32(b, 12 + 8, 0xFFFFFFFE); }},
                    BadBlock{"unterminated text",
                             [](auto& b) {
                                 const char16_t x = u'x';
                                 std::memcpy(b.data() + 12 + 200, &x, 2);
                                 std::memcpy(b.data() + 12 + 202, &x, 2);
                                 std::memcpy(b.data() + 12 + 204, &x, 2);
                                 std::memcpy(b.data() + 12 + 206, &x, 2);
                                 std::memcpy(b.data() + 12 + 208, &x, 2);
                             }},
                    BadBlock{"record cut short", [](auto& b) { b.resize(222 + 40); }}));

TEST(PageBlockCheck, OtherKindsNeedOnlyTheirHead) {
    auto block = Block({});
    Put32(block, 8, 1);
    TSubEventRecord bitmap{};
    bitmap.kind = kSubItemBitmap;
    bitmap.size = 60;
    block.resize(12 + 60);
    std::memcpy(block.data() + 12, &bitmap, sizeof bitmap);
    EXPECT_TRUE(CheckPageBlock(block).ok);
}

} // namespace
