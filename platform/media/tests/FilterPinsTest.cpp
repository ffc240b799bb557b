#include "platform/media/FilterPins.h"
#include "platform/media/GstInit.h"

#include <gtest/gtest.h>

namespace plat::media {
namespace {

TEST(FilterPinsTest, MatchesTemplateNames) {
    struct Case {
        const char* pattern;
        const char* name;
        bool matches;
    };
    const Case cases[] = {
        {"sink", "sink", true},
        {"sink", "src", false},
        {"src_%u", "src_0", true},
        {"src_%u", "src_12", true},
        {"src_%u", "src_", false},
        {"video_%02x", "video_e0", true},
        {"video_%02x", "audio_c0", false},
        {"sink_%u_x", "sink_3_x", true},
        {"sink_%u_x", "sink_3", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FilterPins::TemplateMatches(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
    }
}

TEST(FilterPinsTest, ListsTemplatesThenPadsInNumericOrder) {
    EnsureGstInitialized();
    ElementRef tee = ElementRef::Sink(gst_element_factory_make("tee", nullptr));
    for (const char* name : {"src_10", "src_2", "src_0"}) {
        ASSERT_TRUE(FilterPins::Find(tee.get(), name)) << name;
    }
    const auto pins = FilterPins::Enumerate(tee.get());
    ASSERT_EQ(pins.size(), 4u);
    const char* expected[] = {"sink", "src_0", "src_2", "src_10"};
    for (std::size_t i = 0; i < pins.size(); ++i) {
        EXPECT_EQ(pins[i].name, expected[i]);
        EXPECT_TRUE(pins[i].present);
    }
    EXPECT_EQ(pins[1].direction, PinDirection::Output);
    EXPECT_EQ(pins[1].presence, PinPresence::Request);
    for (const PinInfo& pin : pins) {
        if (pin.presence == PinPresence::Request) {
            PadRef pad = PadRef::Adopt(gst_element_get_static_pad(tee.get(), pin.name.c_str()));
            gst_element_release_request_pad(tee.get(), pad.get());
        }
    }
}

TEST(FilterPinsTest, ListsPinsThatMayAppear) {
    EnsureGstInitialized();
    ElementRef demux = ElementRef::Sink(gst_element_factory_make("oggdemux", nullptr));
    const auto pins = FilterPins::Enumerate(demux.get());
    ASSERT_EQ(pins.size(), 2u);
    EXPECT_EQ(pins[0].name, "sink");
    EXPECT_TRUE(pins[0].present);
    EXPECT_EQ(pins[1].name, "src_%08x");
    EXPECT_FALSE(pins[1].present);
    EXPECT_EQ(pins[1].presence, PinPresence::Sometimes);
    EXPECT_TRUE(FilterPins::MayAppear(demux.get(), "src_0000abcd"));
    EXPECT_FALSE(FilterPins::MayAppear(demux.get(), "video"));
    EXPECT_FALSE(FilterPins::Find(demux.get(), "src_0000abcd"));
}

} // namespace
} // namespace plat::media
