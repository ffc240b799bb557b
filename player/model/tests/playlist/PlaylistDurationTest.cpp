#include "player/model/playlist/PlaylistDuration.h"

#include <gtest/gtest.h>

namespace {

TEST(PlaylistDuration, ReadsTimeTexts) {
    struct Case {
        std::u16string_view text;
        int32_t milliseconds;
    };
    const Case cases[] = {
        {u"0:01:23.45", 83450},
        {u"1:02:03.5", 3723500}, // one digit after the point is tenths
        {u"1:02:03.05", 3723050},
        {u" 1: 2: 3. 5", 3723050},
        {u"0000:0000:0000.00", 0},
        {u"596:31:23.64", 2147483640},
        {u"596:31:23.65", 0}, // past 32 bits
        {u"9999:9999:9999.99", 0},
        {u"1:02:03", 0}, // no point
        {u"1:02.5", 0},  // a part missing
        {u"-1:02:03.5", 0},
        {u"1:02:03.456", 0},
        {u"12345:00:00.00", 0},
        {u"1::03.5", 0},
        {u"a:02:03.5", 0},
        {u"", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParsePlaylistDuration(c.text), c.milliseconds) << std::string(c.text.begin(), c.text.end());
    }
}

TEST(PlaylistDuration, WritesHundredths) {
    EXPECT_EQ(FormatPlaylistDuration(83450), u"0:01:23.45");
    EXPECT_EQ(FormatPlaylistDuration(3723509), u"1:02:03.50");
    EXPECT_EQ(FormatPlaylistDuration(2147483647), u"596:31:23.64");
    EXPECT_EQ(FormatPlaylistDuration(0), u"0:00:00.00");
}

} // namespace
