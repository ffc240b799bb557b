#include "platform/video/SurfaceRendererFactory.h"

#include <gst/audio/streamvolume.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace plat::video {
namespace {

using plat::media::CapsRef;
using plat::media::ElementRef;
using plat::media::PadRef;
using AudioOutput = SurfaceRendererFactory::AudioOutput;

// The factory names of the bin's elements, the sink first.
std::vector<std::string> ElementsOf(GstElement* bin) {
    std::vector<std::string> names;
    GstIterator* it = gst_bin_iterate_sorted(GST_BIN(bin));
    GValue item = G_VALUE_INIT;
    while (gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
        GstElementFactory* factory = gst_element_get_factory(GST_ELEMENT(g_value_get_object(&item)));
        names.emplace_back(factory != nullptr ? GST_OBJECT_NAME(factory) : "");
        g_value_reset(&item);
    }
    g_value_unset(&item);
    gst_iterator_free(it);
    return names;
}

bool HasStreamVolume(GstElement* bin) {
    ElementRef volume = ElementRef::Adopt(gst_bin_get_by_interface(GST_BIN(bin), GST_TYPE_STREAM_VOLUME));
    return static_cast<bool>(volume);
}

bool SinkAccepts(GstElement* renderer, const char* caps) {
    PadRef sink = PadRef::Adopt(gst_element_get_static_pad(renderer, "sink"));
    CapsRef query = CapsRef::Adopt(gst_caps_from_string(caps));
    return sink && gst_pad_query_accept_caps(sink.get(), query.get());
}

TEST(SurfaceRendererFactoryTest, VideoRendererTakesRawVideoIntoTheSurface) {
    SurfaceRendererFactory renderers(std::make_shared<VideoSurface>(), AudioOutput::Fake);
    const ElementRef video = renderers.CreateVideoRenderer();
    ASSERT_TRUE(video);
    EXPECT_TRUE(SinkAccepts(video.get(), "video/x-raw,format=I420,width=320,height=240,framerate=25/1"));
    EXPECT_FALSE(
        SinkAccepts(video.get(), "audio/x-raw,format=S16LE,rate=44100,channels=2,layout=interleaved"));
    EXPECT_NE(renderers.CreateVideoRenderer().get(), video.get()) << "each call makes a renderer of its own";

    SurfaceRendererFactory without(nullptr, AudioOutput::Fake);
    EXPECT_FALSE(without.CreateVideoRenderer());
}

TEST(SurfaceRendererFactoryTest, AudioRendererCarriesAVolumeIntoTheChosenOutput) {
    struct Case {
        AudioOutput output;
        const char* sink;
    };
    for (const Case& c :
         {Case{AudioOutput::Fake, "fakeaudiosink"}, Case{AudioOutput::System, "autoaudiosink"}}) {
        SCOPED_TRACE(c.sink);
        SurfaceRendererFactory renderers(std::make_shared<VideoSurface>(), c.output);
        const ElementRef audio = renderers.CreateAudioRenderer();
        ASSERT_TRUE(audio);
        EXPECT_EQ(ElementsOf(audio.get()).front(), c.sink);
        EXPECT_TRUE(HasStreamVolume(audio.get()));
        EXPECT_TRUE(
            SinkAccepts(audio.get(), "audio/x-raw,format=S16LE,rate=44100,channels=2,layout=interleaved"));
    }
}

TEST(SurfaceRendererFactoryTest, TestsRunWithTheFakeAudioOutput) {
    EXPECT_STREQ(std::getenv("TOVRIN_AUDIO_SINK"), "fake") << "CTest keeps tests off the sound card";
}

TEST(SurfaceRendererFactoryTest, EnvironmentChoosesTheFakeAudioOutput) {
    const char* saved = std::getenv("TOVRIN_AUDIO_SINK");
    const std::string restore = saved != nullptr ? saved : "";

    struct Case {
        const char* value; // null: unset
        AudioOutput expected;
    };
    for (const Case& c : {Case{"fake", AudioOutput::Fake}, Case{"pulse", AudioOutput::System},
                          Case{"", AudioOutput::System}, Case{nullptr, AudioOutput::System}}) {
        c.value != nullptr ? ::setenv("TOVRIN_AUDIO_SINK", c.value, 1) : ::unsetenv("TOVRIN_AUDIO_SINK");
        EXPECT_EQ(SurfaceRendererFactory::AudioOutputFromEnvironment(), c.expected)
            << (c.value ? c.value : "unset");
        EXPECT_EQ(SurfaceRendererFactory(nullptr).Audio(), c.expected);
    }
    saved != nullptr ? ::setenv("TOVRIN_AUDIO_SINK", restore.c_str(), 1) : ::unsetenv("TOVRIN_AUDIO_SINK");
}

} // namespace
} // namespace plat::video
