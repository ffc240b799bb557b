#include "platform/media/DurationProbe.h"

#include "MediaTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace plat::media::test {
namespace {

TEST(DurationProbeTest, ReadsTheDurationOfEachContainer) {
    for (const char* name : {"clip.ogg", "clip.mp4", "clip.avi", "clip.mpg"}) {
        std::int64_t duration = 0;
        ASSERT_EQ(DurationProbe::Probe(Fixture(name), kDeadline, &duration), S_OK) << name;
        EXPECT_LE(std::llabs(duration - 2 * kSecond), kFrame) << name << " " << duration;
    }
}

TEST(DurationProbeTest, FailsClearlyOnBadInput) {
    struct Case {
        std::string path;
        HResult expected;
    };
    const Case cases[] = {
        {Fixture("missing.mp4"), FILE_NOT_FOUND_RESULT},
        {Fixture("missing-folder/clip.mp4"), PATH_NOT_FOUND_RESULT},
        {Fixture("corrupt.mp4"), VFW_E_UNKNOWN_FILE_TYPE},
    };
    for (const Case& c : cases) {
        std::int64_t duration = -1;
        EXPECT_EQ(DurationProbe::Probe(c.path, kDeadline, &duration), c.expected) << c.path;
        EXPECT_EQ(duration, -1);
    }
    EXPECT_EQ(DurationProbe::Probe(Fixture("clip.ogg"), kDeadline, nullptr), E_POINTER);
}

} // namespace
} // namespace plat::media::test
