#include "platform/audio/WaveFormat.h"
#include "platform/audio/tests/WaveBytes.h"

#include <gtest/gtest.h>

#include <functional>

namespace plat::audio {
namespace {

TEST(WaveFormatTest, OnlyConsistentPcmOfOneOrTwoChannelsAndEightOrSixteenBitsPasses) {
    struct Case {
        const char* name;
        std::function<void(WaveFormat&)> change;
        FormatProblem expected;
    };
    const Case cases[] = {
        {"16-bit stereo", [](WaveFormat&) {}, FormatProblem::None},
        {"8-bit mono",
         [](WaveFormat& f) {
             f.channels = 1;
             f.bitsPerSample = 8;
             f.blockAlign = 1;
             f.avgBytesPerSec = f.samplesPerSec;
         },
         FormatProblem::None},
        {"extensible tag", [](WaveFormat& f) { f.formatTag = 0xFFFE; }, FormatProblem::NotPcm},
        {"no channels", [](WaveFormat& f) { f.channels = 0; }, FormatProblem::BadChannels},
        {"six channels", [](WaveFormat& f) { f.channels = 6; }, FormatProblem::BadChannels},
        {"no rate", [](WaveFormat& f) { f.samplesPerSec = 0; }, FormatProblem::BadRate},
        {"32-bit", [](WaveFormat& f) { f.bitsPerSample = 32; }, FormatProblem::BadSampleWidth},
        {"alignment of mono", [](WaveFormat& f) { f.blockAlign = 2; }, FormatProblem::BadBlockAlign},
        {"average off by one", [](WaveFormat& f) { f.avgBytesPerSec += 1; }, FormatProblem::BadAverageRate},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WaveFormat format = testing::StereoFormat16(44100);
        c.change(format);
        EXPECT_EQ(CheckPcmFormat(format), c.expected) << FormatProblemText(CheckPcmFormat(format));
    }
}

} // namespace
} // namespace plat::audio
