// The properties of real elements a properties frame shows: the settings of the element's own classes
// by kind, never the plumbing every element or bin has, nor opaque values; whether each can change in
// the element's state.
#include "platform/media/ElementProperties.h"
#include "MediaTestSupport.h"
#include "platform/media/GstInit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

namespace plat::media::test {
namespace {

ElementRef Make(const char* factory) {
    EnsureGstInitialized();
    return ElementRef::Sink(gst_element_factory_make(factory, nullptr));
}

std::optional<PropertyInfo> Find(const std::vector<PropertyInfo>& properties, const char* name) {
    const auto it = std::find_if(properties.begin(), properties.end(), [name](const PropertyInfo& info) {
        return std::string(g_param_spec_get_name(info.spec)) == name;
    });
    return it == properties.end() ? std::nullopt : std::optional(*it);
}

TEST(ElementPropertiesTest, TheSettingsOfTheElementsOwnClassesByKind) {
    struct Case {
        const char* factory;
        const char* property;
        std::optional<PropertyKind> kind; // nothing: not shown
        bool editable = true;
    };
    const Case cases[] = {
        {"videotestsrc", "is-live", PropertyKind::Boolean},
        {"videotestsrc", "num-buffers", PropertyKind::Integer}, // of the base source class
        {"videotestsrc", "timestamp-offset", PropertyKind::Integer},
        {"videotestsrc", "pattern", PropertyKind::Enumeration},
        {"volume", "volume", PropertyKind::Real},
        {"filesrc", "location", PropertyKind::Text},
        {"capsfilter", "caps", PropertyKind::Serialized},
        {"playbin", "flags", PropertyKind::Flags},
        {"queue", "current-level-buffers", PropertyKind::Integer, false}, // read-only
        {"videotestsrc", "name", std::nullopt},
        {"videotestsrc", "parent", std::nullopt},
        {"playbin", "async-handling", std::nullopt}, // every bin's
        {"playbin", "delay", std::nullopt},          // every pipeline's
        {"playbin", "video-sink", std::nullopt},     // an object
        {"fakesink", "last-sample", std::nullopt},   // an opaque value
    };
    for (const Case& c : cases) {
        const ElementRef element = Make(c.factory);
        ASSERT_TRUE(element) << c.factory;
        const auto found = Find(ElementProperties::List(element.get()), c.property);
        ASSERT_EQ(found.has_value(), c.kind.has_value()) << c.factory << "." << c.property;
        if (found) {
            EXPECT_EQ(found->kind, *c.kind) << c.factory << "." << c.property;
            EXPECT_EQ(found->editable, c.editable) << c.factory << "." << c.property;
        }
    }
}

TEST(ElementPropertiesTest, AnElementWithNothingToShow) {
    const ElementRef demuxer = Make("oggdemux");
    EXPECT_TRUE(ElementProperties::List(demuxer.get()).empty());
    EXPECT_FALSE(ElementProperties::Any(demuxer.get()));
    EXPECT_FALSE(ElementProperties::Any(nullptr));
    const ElementRef source = Make("videotestsrc");
    EXPECT_TRUE(ElementProperties::Any(source.get()));
}

// A file source's location may change only up to READY.
TEST(ElementPropertiesTest, APropertyIsEditableOnlyInTheStatesItMayChangeIn) {
    EnsureGstInitialized();
    const ElementRef pipeline = ElementRef::Sink(gst_parse_launch(
        ("filesrc name=source location=\"" + Fixture("clip.ogg") + "\" ! fakesink").c_str(), nullptr));
    ASSERT_TRUE(pipeline);
    const ElementRef source = ElementRef::Adopt(gst_bin_get_by_name(GST_BIN(pipeline.get()), "source"));
    EXPECT_TRUE(Find(ElementProperties::List(source.get()), "location")->editable);
    ASSERT_NE(gst_element_set_state(pipeline.get(), GST_STATE_PAUSED), GST_STATE_CHANGE_FAILURE);
    ASSERT_EQ(gst_element_get_state(pipeline.get(), nullptr, nullptr, 10 * GST_SECOND),
              GST_STATE_CHANGE_SUCCESS);
    const auto paused = ElementProperties::List(source.get());
    EXPECT_FALSE(Find(paused, "location")->editable);
    EXPECT_TRUE(Find(paused, "num-buffers")->editable) << "it says nothing of states";
    gst_element_set_state(pipeline.get(), GST_STATE_NULL);
    EXPECT_TRUE(Find(ElementProperties::List(source.get()), "location")->editable);
}

} // namespace
} // namespace plat::media::test
