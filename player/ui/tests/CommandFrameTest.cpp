// The command frame: every malformed frame is refused without reading past what was delivered. Each
// frame is copied into a block of exactly its size, so that AddressSanitizer sees any over-read.
#include "player/model/binding/TCommandFrame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>

namespace win = plat::win;

namespace {

std::vector<uint8_t> Frame(int32_t kind, int32_t code, int32_t length, std::vector<uint8_t> data) {
    std::vector<uint8_t> frame(12 + data.size());
    std::memcpy(frame.data(), &kind, 4);
    std::memcpy(frame.data() + 4, &code, 4);
    std::memcpy(frame.data() + 8, &length, 4);
    std::copy(data.begin(), data.end(), frame.begin() + 12);
    return frame;
}

std::vector<uint8_t> Record(uint32_t size, size_t actual) {
    std::vector<uint8_t> record(actual, 0xAB);
    const uint32_t unused = 0;
    std::memcpy(record.data(), &unused, 4);
    std::memcpy(record.data() + 4, &size, 4);
    return record;
}

struct FrameCase {
    const char* name;
    std::vector<uint8_t> bytes;
    TCommandFrame::Kind kind;
    std::string text = {};

    void PrintTo(const FrameCase& c, std::ostream* os) { *os << c.name; }

    size_t recordSize = 0;
};

TCommandFrame::Content ReadExact(const std::vector<uint8_t>& bytes) {
    // A block of exactly the delivered size.
    auto block = std::make_unique<uint8_t[]>(bytes.size() == 0 ? 1 : bytes.size());
    std::copy(bytes.begin(), bytes.end(), block.get());
    const win::COPYDATASTRUCT copy{0, static_cast<win::DWORD>(bytes.size()), block.get()};
    // Only the record's size is compared afterwards: it points into the block, which goes here.
    return TCommandFrame::Read(&copy);
}

class CommandFrameTest : public ::testing::TestWithParam<FrameCase> {};

TEST_P(CommandFrameTest, ChecksTheFrameBeforeReadingIt) {
    const FrameCase& c = GetParam();
    const TCommandFrame::Content content = ReadExact(c.bytes);
    EXPECT_EQ(content.kind, c.kind) << c.name;
    EXPECT_EQ(content.text, c.text) << c.name;
    EXPECT_EQ(content.record.size(), c.recordSize) << c.name;
}

using K = TCommandFrame::Kind;

INSTANTIATE_TEST_SUITE_P(
    Frames, CommandFrameTest,
    ::testing::Values(
        FrameCase{"empty", {}, K::Refused},
        FrameCase{"short header", {0x75, 0x91, 0x01, 0x00, 0, 0, 0, 0}, K::Refused},
        FrameCase{"text", TCommandFrame::BuildText("/O:\"/a b\""), K::Text, "/O:\"/a b\""},
        FrameCase{"empty text, length 1", TCommandFrame::BuildText(""), K::Text, ""},
        FrameCase{"length 0", Frame(102901, 0, 0, {}), K::Other},
        FrameCase{"negative length", Frame(102901, 0, -1, {'a', 0}), K::Refused},
        FrameCase{"most negative length", Frame(102901, 0, INT32_MIN, {'a', 0}), K::Refused},
        FrameCase{"length past the data", Frame(102901, 0, 3, {'a', 0}), K::Refused},
        FrameCase{"huge length", Frame(102901, 0, INT32_MAX, {'a'}), K::Refused},
        FrameCase{"text without its NUL", Frame(102901, 0, 3, {'a', 'b', 'c'}), K::Text, "abc"},
        FrameCase{"NUL inside the text", Frame(102901, 0, 4, {'a', 0, 'b', 0}), K::Text, "a"},
        FrameCase{"order without a record", Frame(11011, 501, 0, {}), K::Order},
        FrameCase{"order with a record", Frame(11011, 501, 16, Record(16, 16)), K::Order, "", 16},
        FrameCase{"order record cut short", Frame(11011, 501, 16, Record(16, 12)), K::Order},
        FrameCase{"order record longer than its size", Frame(11011, 501, 16, Record(8, 16)), K::Order},
        FrameCase{"order of fewer bytes than a record head", Frame(11011, 501, 4, {1, 2, 3, 4}), K::Order},
        FrameCase{"order size word past the frame", Frame(11011, 501, 8, Record(0xFFFFFFF0u, 8)), K::Order},
        FrameCase{"unknown kind", Frame(42, 0, 1, {0}), K::Other}),
    [](const ::testing::TestParamInfo<FrameCase>& info) {
        std::string name = info.param.name;
        for (char& c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

TEST(CommandFrameTest, AMissingBlockIsRefused) {
    EXPECT_EQ(TCommandFrame::Read(nullptr).kind, TCommandFrame::Kind::Refused);
    const win::COPYDATASTRUCT copy{0, 64, nullptr};
    EXPECT_EQ(TCommandFrame::Read(&copy).kind, TCommandFrame::Kind::Refused);
}

TEST(CommandFrameTest, TheHandOverFrameCountsItsNul) {
    const auto frame = TCommandFrame::BuildText("ab");
    ASSERT_EQ(frame.size(), 15u);
    int32_t length = 0;
    std::memcpy(&length, frame.data() + 8, 4);
    EXPECT_EQ(length, 3);
    EXPECT_EQ(frame.back(), 0);
}

} // namespace
