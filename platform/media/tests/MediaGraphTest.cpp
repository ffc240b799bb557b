#include "platform/media/MediaGraph.h"
#include "platform/media/Transport.h"

#include "MediaTestSupport.h"
#include "foundation/tests/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace plat::media::test {
namespace {

class MediaGraphTest : public testing::Test {
protected:
    int CountRole(FilterRole role) const { return static_cast<int>(graph_.FiltersWithRole(role).size()); }
    bool HasFilterOf(const char* factory) const {
        for (const GraphFilter& filter : graph_.Filters()) {
            if (filter.classId == FactoryId(factory)) {
                return true;
            }
        }
        return false;
    }
    // file source -> demuxer, the demuxer's pin named `pin` connected to a new video renderer.
    HResult BuildDemuxGraph(const char* file, const char* demuxer, const char* pin) {
        EXPECT_EQ(graph_.AddSourceFilter(Fixture(file), "Source"), S_OK);
        EXPECT_EQ(graph_.AddFilter(FactoryId(demuxer), "Demux"), S_OK);
        EXPECT_EQ(graph_.AddFilter(WindowsId(kVideoRendererId), "Video Renderer"), S_OK);
        EXPECT_EQ(graph_.ConnectDirect({"Source", "src"}, {"Demux", "sink"}), S_OK);
        return graph_.Connect({"Demux", pin}, {"Video Renderer", "sink"});
    }

    FakeRendererFactory renderers_;
    MediaGraph graph_{Catalogue(), renderers_};
};

TEST_F(MediaGraphTest, RendersEachFixtureToFakeRenderers) {
    for (const char* name : {"clip.ogg", "clip.mp4", "clip.avi", "clip.mpg"}) {
        SCOPED_TRACE(name);
        FakeRendererFactory renderers;
        MediaGraph graph(Catalogue(), renderers);
        ASSERT_EQ(graph.RenderFile(Fixture(name)), S_OK);
        ASSERT_EQ(graph.Preroll(kDeadline), S_OK);
        EXPECT_EQ(graph.FiltersWithRole(FilterRole::VideoRenderer).size(), 1u);
        EXPECT_EQ(graph.FiltersWithRole(FilterRole::AudioRenderer).size(), 1u);
        EXPECT_EQ(graph.SourceFile(Fixture(name)), Fixture(name));
        EXPECT_EQ(graph.Filters().front().identifier, Fixture(name));
    }
}

TEST_F(MediaGraphTest, RendersToExistingRenderersOnly) {
    // Renderers left without a stream (the second video renderer) must not hold prerolling back.
    struct Case {
        int video;
        int audio;
        HResult expected;
    };
    const Case cases[] = {
        {1, 1, S_OK},
        {2, 1, S_OK},
        {1, 0, VFW_S_AUDIO_NOT_RENDERED},
        {0, 1, VFW_S_VIDEO_NOT_RENDERED},
    };
    for (const Case& c : cases) {
        FakeRendererFactory renderers;
        MediaGraph graph(Catalogue(), renderers);
        for (int i = 0; i < c.video; ++i) {
            ASSERT_EQ(graph.AddFilter(WindowsId(kVideoRendererId), "Video"), S_OK);
        }
        for (int i = 0; i < c.audio; ++i) {
            ASSERT_EQ(graph.AddFilter(WindowsId(kAudioRendererId), "Audio"), S_OK);
        }
        ASSERT_EQ(graph.AddSourceFilter(Fixture("clip.ogg"), "Source"), S_OK);
        ASSERT_EQ(graph.Render({"Source", "src"}, RenderTarget::ExistingRenderers), S_OK);
        EXPECT_EQ(graph.Preroll(kDeadline), c.expected) << ResultName(c.expected);
        EXPECT_EQ(graph.FiltersWithRole(FilterRole::VideoRenderer).size(), static_cast<std::size_t>(c.video));
        EXPECT_EQ(graph.FiltersWithRole(FilterRole::AudioRenderer).size(), static_cast<std::size_t>(c.audio));
        Transport transport(graph);
        EXPECT_EQ(transport.Run(), S_OK);
    }
}

TEST_F(MediaGraphTest, ResolvesAPinThatAppearsWithDataAndInsertsADecoder) {
    ASSERT_EQ(BuildDemuxGraph("clip.mpg", "mpegpsdemux", "video_e0"), S_OK);
    const auto before = graph_.Pins("Demux");
    EXPECT_EQ(before.size(), 5u); // sink and four templates of streams not present yet
    ASSERT_EQ(graph_.Preroll(kDeadline), S_OK);
    EXPECT_TRUE(HasFilterOf("avdec_mpeg2video"));
    bool videoPin = false;
    for (const PinInfo& pin : graph_.Pins("Demux")) {
        videoPin = videoPin || (pin.name == "video_e0" && pin.present && pin.connected);
    }
    EXPECT_TRUE(videoPin);
}

TEST_F(MediaGraphTest, APinThatNeverAppearsFailsWithinTheDeadline) {
    ASSERT_EQ(BuildDemuxGraph("clip.mpg", "mpegpsdemux", "video_e5"), S_OK);
    constexpr auto kPinDeadline = 2s;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(graph_.Preroll(kPinDeadline), VFW_E_NOT_FOUND);
    EXPECT_LT(std::chrono::steady_clock::now() - start, kPinDeadline + 1s);
}

TEST_F(MediaGraphTest, RendersAPinThatAppearsWithData) {
    ASSERT_EQ(graph_.AddSourceFilter(Fixture("clip.mpg"), "Source"), S_OK);
    ASSERT_EQ(graph_.AddFilter(FactoryId("mpegpsdemux"), "Demux"), S_OK);
    ASSERT_EQ(graph_.ConnectDirect({"Source", "src"}, {"Demux", "sink"}), S_OK);
    ASSERT_EQ(graph_.Render({"Demux", "video_e0"}), S_OK);
    ASSERT_EQ(graph_.Render({"Demux", "audio_c0"}), S_OK);
    ASSERT_EQ(graph_.Preroll(kDeadline), S_OK);
    EXPECT_EQ(CountRole(FilterRole::VideoRenderer), 1);
    EXPECT_EQ(CountRole(FilterRole::AudioRenderer), 1);
    EXPECT_EQ(graph_.Render({"Demux", "video_e0"}), VFW_E_ALREADY_CONNECTED);
}

TEST_F(MediaGraphTest, RendersAllPinsOfAFilterIncludingLaterOnes) {
    ASSERT_EQ(graph_.AddSourceFilter(Fixture("clip.ogg"), "Source"), S_OK);
    ASSERT_EQ(graph_.AddFilter(FactoryId("oggdemux"), "Demux"), S_OK);
    ASSERT_EQ(graph_.ConnectDirect({"Source", "src"}, {"Demux", "sink"}), S_OK);
    ASSERT_EQ(graph_.RenderAllPins("Demux"), S_OK);
    EXPECT_EQ(graph_.RenderAllPins("Nobody"), VFW_E_NOT_FOUND);
    ASSERT_EQ(graph_.Preroll(kDeadline), S_OK);
    EXPECT_EQ(CountRole(FilterRole::VideoRenderer), 1);
    EXPECT_EQ(CountRole(FilterRole::AudioRenderer), 1);
    int outputs = 0;
    for (const PinInfo& pin : graph_.Pins("Demux")) {
        outputs += pin.direction == PinDirection::Output && pin.present && pin.connected ? 1 : 0;
    }
    EXPECT_EQ(outputs, 2);
}

TEST_F(MediaGraphTest, APinNamedByItsTemplateTakesTheFirstPadMadeFromIt) {
    ASSERT_EQ(graph_.AddSourceFilter(Fixture("clip.ogg"), "Source"), S_OK);
    ASSERT_EQ(graph_.AddFilter(FactoryId("oggdemux"), "Demux"), S_OK);
    ASSERT_EQ(graph_.ConnectDirect({"Source", "src"}, {"Demux", "sink"}), S_OK);
    ASSERT_EQ(graph_.Render({"Demux", "src_%08x"}), S_OK);
    ASSERT_EQ(graph_.Preroll(kDeadline), S_OK);
    EXPECT_EQ(CountRole(FilterRole::VideoRenderer) + CountRole(FilterRole::AudioRenderer), 1);
}

TEST_F(MediaGraphTest, AGraphThatCannotPrerollTimesOut) {
    // A sink that is linked but never gets data never prerolls.
    ASSERT_EQ(graph_.AddFilter(FactoryId("identity"), "Idle"), S_OK);
    ASSERT_EQ(graph_.AddFilter(WindowsId(kVideoRendererId), "Video Renderer"), S_OK);
    ASSERT_EQ(graph_.ConnectDirect({"Idle", "src"}, {"Video Renderer", "sink"}), S_OK);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(graph_.Preroll(300ms), VFW_E_TIMEOUT);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 300ms);
    bool changing = false;
    EXPECT_EQ(graph_.CurrentState(&changing), GST_STATE_READY);
    EXPECT_TRUE(changing);
    FilterState state = FilterState::Running;
    EXPECT_EQ(Transport(graph_).GetState(10ms, &state), VFW_S_STATE_INTERMEDIATE);
    EXPECT_EQ(state, FilterState::Stopped);
}

TEST_F(MediaGraphTest, RefusesPinsAndFiltersThatCannotExist) {
    ASSERT_EQ(graph_.AddFilter(FactoryId("theoradec"), "Theora"), S_OK);
    ASSERT_EQ(graph_.AddFilter(FactoryId("vorbisdec"), "Vorbis"), S_OK);
    EXPECT_EQ(graph_.ConnectDirect({"Theora", "src"}, {"Vorbis", "sink"}), VFW_E_NO_ACCEPTABLE_TYPES);
    EXPECT_EQ(graph_.Connect({"Theora", "src"}, {"Vorbis", "sink"}), VFW_E_CANNOT_CONNECT);
    EXPECT_EQ(graph_.ConnectDirect({"Theora", "sink"}, {"Vorbis", "sink"}), VFW_E_INVALID_DIRECTION);
    EXPECT_EQ(graph_.ConnectDirect({"Theora", "nothing"}, {"Vorbis", "sink"}), VFW_E_NOT_FOUND);
    EXPECT_EQ(graph_.ConnectDirect({"Theora", "src"}, {"Nobody", "sink"}), VFW_E_NOT_FOUND);
    EXPECT_EQ(graph_.Render({"Nobody", "src"}), VFW_E_NOT_FOUND);
    EXPECT_EQ(graph_.AddFilter(WindowsId("{12345678-1234-1234-1234-123456789ABC}"), "X"),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(graph_.AddFilter(WindowsId("{9B8C4620-2C1A-11D0-8493-00A02438AD48}"), "DVD"),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(graph_.LoadFile("Theora", Fixture("clip.ogg")), E_NOINTERFACE);
    EXPECT_EQ(graph_.LoadFile("Nobody", Fixture("clip.ogg")), VFW_E_NOT_FOUND);
    EXPECT_EQ(graph_.Filters().size(), 2u);
}

TEST_F(MediaGraphTest, KeepsFiltersInOrderAndFindsTheFirstOfAName) {
    ASSERT_EQ(graph_.AddFilter(FactoryId("identity"), "Same"), S_OK);
    ASSERT_EQ(graph_.AddFilter(FactoryId("queue"), "Same"), S_OK);
    ASSERT_EQ(graph_.AddFilter(FactoryId("tee"), "Other"), S_OK);
    const auto filters = graph_.Filters();
    ASSERT_EQ(filters.size(), 3u);
    EXPECT_EQ(graph_.FindFilter("Same"), filters[0].element);
    EXPECT_EQ(filters[1].classId, FactoryId("queue"));
    EXPECT_EQ(graph_.FindFilter("same"), nullptr);
    EXPECT_TRUE(graph_.Pins("nobody").empty());
}

TEST_F(MediaGraphTest, RemovesFiltersAndBreaksLinks) {
    ASSERT_EQ(graph_.AddFilter(FactoryId("identity"), "A"), S_OK);
    ASSERT_EQ(graph_.AddFilter(FactoryId("identity"), "B"), S_OK);
    ASSERT_EQ(graph_.ConnectDirect({"A", "src"}, {"B", "sink"}), S_OK);
    EXPECT_EQ(graph_.ConnectDirect({"A", "src"}, {"B", "sink"}), VFW_E_ALREADY_CONNECTED);
    EXPECT_EQ(graph_.Disconnect({"B", "sink"}), S_OK);
    EXPECT_EQ(graph_.Disconnect({"A", "src"}), S_FALSE);
    EXPECT_EQ(graph_.Disconnect({"A", "nothing"}), VFW_E_NOT_FOUND);
    ASSERT_EQ(graph_.ConnectDirect({"A", "src"}, {"B", "sink"}), S_OK);
    ASSERT_EQ(graph_.RemoveFilter("B"), S_OK);
    EXPECT_EQ(graph_.RemoveFilter("B"), VFW_E_NOT_FOUND);
    EXPECT_EQ(graph_.FindFilter("B"), nullptr);
    ASSERT_EQ(graph_.Pins("A").size(), 2u);
    EXPECT_FALSE(graph_.Pins("A")[1].connected);
    EXPECT_EQ(graph_.Filters().size(), 1u);
}

TEST_F(MediaGraphTest, MissingAndCorruptFilesFailClearly) {
    const auto folder = std::filesystem::path(Fixture(""));
    EXPECT_EQ(graph_.RenderFile(Fixture("missing.ogg")), FILE_NOT_FOUND_RESULT);
    EXPECT_EQ(graph_.RenderFile(Fixture("no-folder/clip.ogg")), PATH_NOT_FOUND_RESULT);
    EXPECT_EQ(graph_.RenderFile(""), E_INVALIDARG);
    EXPECT_TRUE(graph_.Filters().empty());

    ASSERT_EQ(graph_.RenderFile(Fixture("corrupt.mp4")), S_OK);
    EXPECT_EQ(graph_.Preroll(kDeadline), VFW_E_UNKNOWN_FILE_TYPE);
    const auto event = graph_.Events().WaitFor(EC_ERRORABORT, kDeadline);
    ASSERT_TRUE(event.has_value());
    EXPECT_EQ(event->param1, VFW_E_UNKNOWN_FILE_TYPE);
    EXPECT_FALSE(event->text.empty());
}

// Forbidding decoders through the merit store steers intelligent connect to the next one by rank.
class ForbiddenDecoderTest : public testing::Test {
protected:
    void TearDown() override {
        MeritStore empty(folder_.Folder());
        FilterCatalogue restore(&empty);
    }
    TempDir folder_;
};

TEST_F(ForbiddenDecoderTest, IntelligentConnectSkipsForbiddenDecoders) {
    struct Case {
        std::vector<const char*> forbidden;
        const char* picked; // null: nothing fits
    };
    const Case cases[] = {
        {{}, "avdec_mpeg2video"},
        {{"avdec_mpeg2video"}, "avdec_mpegvideo"},
        {{"avdec_mpeg2video", "avdec_mpegvideo"}, "mpeg2dec"},
        {{"avdec_mpeg2video", "avdec_mpegvideo", "mpeg2dec"}, nullptr},
    };
    for (const Case& c : cases) {
        MeritStore store(folder_.Folder());
        for (const char* factory : c.forbidden) {
            store.Set(FactoryId(factory), MERIT_DO_NOT_USE);
        }
        FilterCatalogue catalogue(&store);
        FakeRendererFactory renderers;
        MediaGraph graph(catalogue, renderers);
        ASSERT_EQ(graph.AddSourceFilter(Fixture("clip.mpg"), "Source"), S_OK);
        ASSERT_EQ(graph.AddFilter(FactoryId("mpegpsdemux"), "Demux"), S_OK);
        ASSERT_EQ(graph.AddFilter(WindowsId(kVideoRendererId), "Video Renderer"), S_OK);
        ASSERT_EQ(graph.ConnectDirect({"Source", "src"}, {"Demux", "sink"}), S_OK);
        ASSERT_EQ(graph.Connect({"Demux", "video_e0"}, {"Video Renderer", "sink"}), S_OK);
        const HResult hr = graph.Preroll(kDeadline);
        EXPECT_EQ(hr, c.picked != nullptr ? S_OK : VFW_E_CANNOT_CONNECT) << ResultName(hr);
        const auto filters = graph.Filters();
        // Source, demuxer and renderer, then the parser and decoder that were put between them.
        ASSERT_EQ(filters.size(), c.picked != nullptr ? 5u : 3u);
        if (c.picked != nullptr) {
            EXPECT_EQ(filters[3].classId, FactoryId("mpegvideoparse")) << filters[3].identifier;
            EXPECT_EQ(filters[4].classId, FactoryId(c.picked)) << filters[4].identifier;
        }
    }
}

} // namespace
} // namespace plat::media::test
