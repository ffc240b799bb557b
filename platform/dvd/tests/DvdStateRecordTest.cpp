// The saved form of a disc position: its exact bytes, and records from files that must be refused.
#include "platform/dvd/DvdStateRecord.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace plat::dvd {
namespace {

DvdState Sample() {
    DvdState state;
    state.title = 2;
    state.chapter = 3;
    state.block = 0x01020304;
    state.ticks = 0x0B0C0D0Eull;
    state.audio = 1;
    state.subpicture = 5;
    state.subpictureShown = true;
    state.angle = 2;
    return state;
}

TEST(DvdStateRecordTest, EncodesTheGoldenBytes) {
    const std::vector<std::uint8_t> golden{
        0x5A, 0x3C, 0x1E, 0x74, 0x92, 0x0B, 0x4D, 0x61, 0xA7, 0x58, 0xC3, 0x2F, 0x16, 0xE9, 0x80, 0xD4, // class
        0x01, 0x00, 0x14, 0x00,                                                                           // v1, 20
        0x02, 0x00, 0x03, 0x00,                         // title, chapter
        0x04, 0x03, 0x02, 0x01,                         // block
        0x0E, 0x0D, 0x0C, 0x0B, 0x00, 0x00, 0x00, 0x00, // ticks
        0x01, 0x05, 0x01, 0x02,                         // audio, subpicture, shown, angle
    };
    EXPECT_EQ(DvdStateRecord::Encode(Sample()), golden);
    EXPECT_EQ(DvdStateRecord::Decode(golden), Sample());
}

TEST(DvdStateRecordTest, RoundTripsTheLimits) {
    DvdState low;
    low.title = 1;
    low.chapter = 1;
    DvdState high = low;
    high.title = DvdStateRecord::kMaxTitle;
    high.chapter = DvdStateRecord::kMaxChapter;
    high.block = 0xFFFFFFFF;
    high.ticks = DvdStateRecord::kMaxTicks;
    high.audio = DvdStateRecord::kMaxAudio;
    high.subpicture = DvdStateRecord::kMaxSubpicture;
    high.angle = DvdStateRecord::kMaxAngle;
    for (const DvdState& state : {low, high}) {
        EXPECT_EQ(DvdStateRecord::Decode(DvdStateRecord::Encode(state)), state);
    }
}

struct Damage {
    const char* what;
    std::size_t offset; // byte to set, or the size to cut to when `cut`
    std::uint8_t value;
    bool cut;
    const char* reason;
};

class DvdStateRecordDamageTest : public ::testing::TestWithParam<Damage> {};

TEST_P(DvdStateRecordDamageTest, IsRefusedWithItsReason) {
    std::vector<std::uint8_t> bytes = DvdStateRecord::Encode(Sample());
    const Damage& damage = GetParam();
    if (damage.cut) {
        bytes.resize(damage.offset);
    } else if (damage.offset < bytes.size()) {
        bytes[damage.offset] = damage.value;
    } else {
        bytes.resize(damage.offset + 1, damage.value);
    }
    std::string why;
    EXPECT_EQ(DvdStateRecord::Decode(bytes, &why), std::nullopt);
    EXPECT_EQ(why, damage.reason);
}

INSTANTIATE_TEST_SUITE_P(
    Records, DvdStateRecordDamageTest,
    ::testing::Values(Damage{"empty", 0, 0, true, "record too short"},
                      Damage{"ten bytes", 10, 0, true, "record too short"},
                      Damage{"header only", 20, 0, true, "record size does not match its version"},
                      Damage{"last byte missing", 39, 0, true, "record size does not match its version"},
                      Damage{"a byte too many", 40, 0, false, "record size does not match its version"},
                      Damage{"other class", 3, 0x00, false, "not a DVD state record"},
                      Damage{"version 2", 16, 2, false, "unknown record version"},
                      Damage{"body size 19", 18, 19, false, "record size does not match its version"},
                      Damage{"title 0", 20, 0, false, "title out of range"},
                      Damage{"title 100", 20, 100, false, "title out of range"},
                      Damage{"chapter 0", 22, 0, false, "chapter out of range"},
                      Damage{"huge time", 35, 0x01, false, "time out of range"},
                      Damage{"audio 8", 36, 8, false, "audio stream out of range"},
                      Damage{"subpicture 32", 37, 32, false, "subpicture stream out of range"},
                      Damage{"shown 2", 38, 2, false, "subpicture display flag out of range"},
                      Damage{"angle 0", 39, 0, false, "angle out of range"},
                      Damage{"angle 10", 39, 10, false, "angle out of range"}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

TEST(DvdStateRecordTest, NoAudioStreamIsKept) {
    DvdState state = Sample();
    state.audio = DvdState::kNoAudio;
    EXPECT_EQ(DvdStateRecord::Decode(DvdStateRecord::Encode(state)), state);
}

} // namespace
} // namespace plat::dvd
