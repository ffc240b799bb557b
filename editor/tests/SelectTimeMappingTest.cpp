// Select times and video times: the select's scale factor stretches times after its first subtitle
// (not its time ramp in milliseconds), the window's start lands on the DVD start, and the mapping
// back is the inverse.
#include "editor/SelectTimeMapping.h"
#include "subtitles/profiles/TSelect.h"

#include <gtest/gtest.h>

namespace {

TSelect Select(int32_t first, int32_t dvdStart, double factor, int32_t ramp) {
    TSelect select;
    select.FirstSub = first;
    select.LastSub = first + 50000;
    select.DVDStart = dvdStart;
    select.ScaleFactor = factor;
    select.TimeRamp = ramp;
    return select;
}

} // namespace

TEST(SelectTimeMappingTest, MapsBothWaysThroughTheScaleFactor) {
    struct Case {
        TSelect select;
        int32_t scriptTime;
        int32_t videoTime;
    };
    const Case cases[] = {
        {Select(10000, 100000, 1.0, 0), 10000, 100000},    // the window's start lands on the DVD start
        {Select(10000, 100000, 1.0, 0), 25000, 115000},    // ramp 0 keeps the spacing
        {Select(10000, 100000, 1.0, 0), 4000, 94000},      // before the window: moved only
        {Select(10000, 100000, 2.0, 7000), 15000, 110000}, // stretched by the factor, never by the ramp
        {Select(0, 0, 1.5, 0), 2000, 3000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SelectToVideoTime(c.select, c.scriptTime), c.videoTime) << c.scriptTime;
        EXPECT_EQ(VideoToSelectTime(c.select, c.videoTime), c.scriptTime) << c.videoTime;
    }
}

TEST(SelectTimeMappingTest, AVideoTimeBeforeTheDvdStartGivesZero) {
    const TSelect select = Select(10000, 100000, 1.0, 0);
    EXPECT_EQ(VideoToSelectTime(select, 50000), 0);
    EXPECT_EQ(VideoToSelectTime(select, 0), 0);
}
