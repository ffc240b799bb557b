// What the navigator tells of a disc without playing it, discs it must refuse, and the navigator
// as a filter of a graph built the way disc graph descriptions build it.
#include "DvdPlayback.h"
#include "foundation/tests/TempDir.h"

#include "platform/dvd/DvdLanguage.h"
#include "platform/dvd/DvdUserOperations.h"
#include "platform/media/MediaGraph.h"
#include "platform/testing/FakeRendererFactory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace plat::dvd::test {
namespace {

using media::E_INVALIDARG;
using media::S_OK;
namespace fs = std::filesystem;

class DvdDiscTest : public ::testing::Test {
protected:
    DvdNavigator& Nav() { return playback_.Navigator(); }
    DvdPlayback playback_;
};

TEST_F(DvdDiscTest, TitlesChaptersAndChapterTimes) {
    ASSERT_EQ(playback_.Open(Fixture("disc")), S_OK);
    std::uint32_t volumes = 0, volume = 0, side = 0, titles = 0;
    ASSERT_EQ(Nav().GetDvdVolumeInfo(&volumes, &volume, &side, &titles), S_OK);
    EXPECT_EQ(titles, 2u);
    std::uint32_t chapters = 0;
    ASSERT_EQ(Nav().GetNumberOfChapters(1, &chapters), S_OK);
    EXPECT_EQ(chapters, 3u);
    ASSERT_EQ(Nav().GetNumberOfChapters(2, &chapters), S_OK);
    EXPECT_EQ(chapters, 2u);
    EXPECT_EQ(Nav().GetNumberOfChapters(3, &chapters), E_INVALIDARG);
    std::vector<std::uint64_t> starts;
    ASSERT_EQ(Nav().GetChapterTimes(1, &starts), S_OK);
    ASSERT_EQ(starts.size(), 3u);
    EXPECT_EQ(starts[0], 0u);
    EXPECT_NEAR(static_cast<double>(starts[1]), 1800, 50);
    EXPECT_NEAR(static_cast<double>(starts[2]), 3600, 50);
}

TEST_F(DvdDiscTest, TitleAttributesWithLanguages) {
    ASSERT_EQ(playback_.Open(Fixture("disc")), S_OK);
    DvdMenuAttributes menu{};
    DvdTitleAttributes title{};
    ASSERT_EQ(Nav().GetTitleAttributes(1, &menu, &title), S_OK);
    EXPECT_EQ(title.video.sourceResolutionX, 720u);
    EXPECT_EQ(title.video.frameHeight, 480u);
    EXPECT_EQ(title.video.frameRate, 30u);
    EXPECT_EQ(title.video.aspectX, 4u);
    EXPECT_EQ(title.video.compression, DvdVideoCompression::Mpeg2);
    ASSERT_EQ(title.audioStreamCount, 2u);
    EXPECT_EQ(title.audio[0].format, DvdAudioFormat::Ac3);
    EXPECT_EQ(title.audio[0].language, 0x0409u);
    EXPECT_EQ(title.audio[1].language, 0x040Cu);
    EXPECT_EQ(title.audio[0].frequency, 48000u);
    EXPECT_EQ(title.audio[0].channels, 2u);
    ASSERT_EQ(title.subpictureStreamCount, 2u);
    EXPECT_EQ(title.subpicture[0].type, DvdSubpictureType::Language);
    EXPECT_EQ(title.subpicture[0].language, 0x0409u);
    EXPECT_EQ(title.subpicture[1].language, 0x0407u);
    EXPECT_EQ(menu.compatibleRegion[0], 1u);
    EXPECT_EQ(Nav().GetTitleAttributes(3, &menu, &title), E_INVALIDARG);
}

TEST_F(DvdDiscTest, DiscIdIsTheSameForTheFolderAndItsImage) {
    std::uint64_t folder = 0;
    std::uint64_t image = 0;
    std::uint64_t locked = 0;
    ASSERT_EQ(Nav().GetDiscId(Fixture("disc"), &folder), S_OK);
    ASSERT_EQ(Nav().GetDiscId(Fixture("disc.iso"), &image), S_OK);
    std::uint64_t videoTs = 0;
    ASSERT_EQ(Nav().GetDiscId(Fixture("locked"), &locked), S_OK);
    ASSERT_EQ(Nav().GetDiscId(Fixture("disc/VIDEO_TS"), &videoTs), S_OK);
    EXPECT_NE(folder, 0u);
    EXPECT_EQ(folder, image);
    EXPECT_EQ(folder, videoTs) << "the VIDEO_TS folder names the same disc";
    EXPECT_NE(folder, locked) << "its IFO differs";
    ASSERT_EQ(playback_.Open(Fixture("disc.iso")), S_OK);
    std::uint64_t current = 0;
    ASSERT_EQ(Nav().GetDiscId("", &current), S_OK);
    EXPECT_EQ(current, folder);
}

TEST_F(DvdDiscTest, TheImagePlaysToItsMenu) {
    ASSERT_EQ(playback_.Open(Fixture("disc.iso")), S_OK);
    ASSERT_TRUE(playback_.Play());
    EXPECT_TRUE(
        playback_.WaitFor(EC_DVD_DOMAIN_CHANGE, static_cast<std::int64_t>(DvdDomain::VideoManagerMenu)));
    EXPECT_TRUE(playback_.WaitFor(EC_DVD_STILL_ON));
}

// Bad discs: each is refused with E_INVALIDARG, and the disc opened before stays in use.
TEST_F(DvdDiscTest, BadDiscsAreRefused) {
    const TempDir folder;
    const fs::path root = folder.Path("dvd-bad");
    fs::create_directories(root / "empty");
    fs::create_directories(root / "no-video-ts" / "AUDIO_TS");
    fs::create_directories(root / "truncated" / "VIDEO_TS");
    fs::create_directories(root / "missing-ifo" / "VIDEO_TS");
    fs::copy(Fixture("disc/VIDEO_TS/VTS_01_1.VOB"), root / "missing-ifo" / "VIDEO_TS" / "VTS_01_1.VOB");
    {
        std::ifstream in(Fixture("disc/VIDEO_TS/VIDEO_TS.IFO"), std::ios::binary);
        std::string head(300, '\0');
        in.read(head.data(), static_cast<std::streamsize>(head.size()));
        std::ofstream(root / "truncated" / "VIDEO_TS" / "VIDEO_TS.IFO", std::ios::binary) << head;
        std::ofstream(root / "garbage.iso", std::ios::binary) << std::string(200000, 'x');
        std::ofstream(root / "zero.iso", std::ios::binary);
    }
    ASSERT_EQ(playback_.Open(Fixture("disc")), S_OK);
    for (const char* bad :
         {"missing", "empty", "no-video-ts", "truncated", "missing-ifo", "garbage.iso", "zero.iso"}) {
        EXPECT_EQ(playback_.Open((root / bad).string()), E_INVALIDARG) << bad;
        std::uint64_t id = 0;
        EXPECT_EQ(Nav().GetDiscId((root / bad).string(), &id), E_INVALIDARG) << bad;
    }
    std::string directory;
    ASSERT_EQ(Nav().GetDvdDirectory(&directory), S_OK);
    EXPECT_EQ(directory, Fixture("disc"));
}

TEST_F(DvdDiscTest, WithoutADiscNothingPlays) {
    EXPECT_FALSE(playback_.Play()) << "the navigator refuses to start";
    std::uint32_t titles = 0;
    EXPECT_EQ(Nav().GetNumberOfChapters(1, &titles), VFW_E_DVD_GRAPHNOTREADY);
    EXPECT_EQ(Nav().PlayTitle(1), VFW_E_DVD_GRAPHNOTREADY);
    GstBus* bus = gst_element_get_bus(playback_.Pipeline());
    GstMessage* error = gst_bus_pop_filtered(bus, GST_MESSAGE_ERROR);
    ASSERT_NE(error, nullptr);
    GError* details = nullptr;
    gst_message_parse_error(error, &details, nullptr);
    EXPECT_STREQ(details->message, "No valid DVD-Video volume could be located");
    g_error_free(details);
    gst_message_unref(error);
    gst_object_unref(bus);
}

TEST(DvdUserOperationsTest, EachProhibitedOperationHasItsFlag) {
    struct Case {
        void (*set)(user_ops_t&);
        std::uint32_t flag;
    };
    const Case cases[] = {
        {[](user_ops_t& o) { o.title_or_time_play = 1; }, uop::PlayTitleOrAtTime},
        {[](user_ops_t& o) { o.chapter_search_or_play = 1; }, uop::PlayChapter},
        {[](user_ops_t& o) { o.title_play = 1; }, uop::PlayTitle},
        {[](user_ops_t& o) { o.stop = 1; }, uop::Stop},
        {[](user_ops_t& o) { o.go_up = 1; }, uop::ReturnFromSubmenu},
        {[](user_ops_t& o) { o.time_or_chapter_search = 1; }, uop::PlayChapterOrAtTime},
        {[](user_ops_t& o) { o.prev_or_top_pg_search = 1; }, uop::PlayPrevOrReplayChapter},
        {[](user_ops_t& o) { o.next_pg_search = 1; }, uop::PlayNextChapter},
        {[](user_ops_t& o) { o.forward_scan = 1; }, uop::PlayForwards},
        {[](user_ops_t& o) { o.backward_scan = 1; }, uop::PlayBackwards},
        {[](user_ops_t& o) { o.title_menu_call = 1; }, uop::ShowMenuTitle},
        {[](user_ops_t& o) { o.root_menu_call = 1; }, uop::ShowMenuRoot},
        {[](user_ops_t& o) { o.subpic_menu_call = 1; }, uop::ShowMenuSubpicture},
        {[](user_ops_t& o) { o.audio_menu_call = 1; }, uop::ShowMenuAudio},
        {[](user_ops_t& o) { o.angle_menu_call = 1; }, uop::ShowMenuAngle},
        {[](user_ops_t& o) { o.chapter_menu_call = 1; }, uop::ShowMenuChapter},
        {[](user_ops_t& o) { o.resume = 1; }, uop::Resume},
        {[](user_ops_t& o) { o.button_select_or_activate = 1; }, uop::SelectOrActivateButton},
        {[](user_ops_t& o) { o.still_off = 1; }, uop::StillOff},
        {[](user_ops_t& o) { o.pause_on = 1; }, uop::PauseOn},
        {[](user_ops_t& o) { o.audio_stream_change = 1; }, uop::SelectAudioStream},
        {[](user_ops_t& o) { o.subpic_stream_change = 1; }, uop::SelectSubpictureStream},
        {[](user_ops_t& o) { o.angle_change = 1; }, uop::SelectAngle},
        {[](user_ops_t& o) { o.karaoke_audio_pres_mode_change = 1; }, uop::SelectKaraokeMode},
        {[](user_ops_t& o) { o.video_pres_mode_change = 1; }, uop::SelectVideoModePreference},
    };
    std::uint32_t seen = 0;
    for (const Case& c : cases) {
        user_ops_t operations{};
        c.set(operations);
        EXPECT_EQ(DvdUserOperations::ProhibitedMask(operations), c.flag);
        seen |= c.flag;
    }
    EXPECT_EQ(seen, 0x1FFFFFFu) << "every flag is one operation";
    EXPECT_EQ(DvdUserOperations::ProhibitedMask(user_ops_t{}), 0u);
}

TEST(DvdLanguageTest, CodesBecomeLocaleIds) {
    EXPECT_EQ(DvdLanguage::LcidFromCode(('e' << 8) | 'n'), 0x0409u);
    EXPECT_EQ(DvdLanguage::LcidFromCode(('F' << 8) | 'R'), 0x040Cu);
    EXPECT_EQ(DvdLanguage::LcidFromCode(('j' << 8) | 'a'), 0x0411u);
    EXPECT_EQ(DvdLanguage::LcidFromCode(0), 0u);
    EXPECT_EQ(DvdLanguage::LcidFromCode(('x' << 8) | 'x'), 0u);
}

TEST(DvdAttributesTest, TimeCodesPackHoursFirst) {
    const DvdTimeCode time{1, 2, 3, 12};
    EXPECT_EQ(time.Packed(), 0x0C030201u);
    EXPECT_EQ(DvdTimeCode::FromPacked(0x0C030201u), time);
}

// The disc graph: the navigator added under the Windows class id and its output pins rendered in the
// order descriptions give them (##1 audio, ##0 video, ##2 subpicture), then prerolled. Destroying the
// graph finalizes the navigator element. Playing is the playback tests'.
TEST(DvdGraphTest, DiscGraphRendersTheNavigatorsPins) {
    DvdNavigatorElement::Register();
    media::FilterCatalogue catalogue;
    media::FakeRendererFactory renderers;
    bool finalized = false;
    {
        media::MediaGraph graph(catalogue, renderers);
        const media::Guid navigatorId = *media::Guid::Parse("{9B8C4620-2C1A-11D0-8493-00A02438AD48}");
        ASSERT_EQ(catalogue.Resolve(navigatorId).role, media::FilterRole::Factory);
        ASSERT_EQ(graph.AddFilter(navigatorId, "DVD_Navigator"), S_OK);
        const auto pins = graph.Pins("DVD_Navigator");
        ASSERT_EQ(pins.size(), 3u);
        EXPECT_EQ(pins[0].name, "video");
        EXPECT_EQ(pins[1].name, "audio");
        EXPECT_EQ(pins[2].name, "subpicture");
        DvdNavigator* navigator = DvdNavigatorElement::Navigator(graph.FindFilter("DVD_Navigator"));
        ASSERT_NE(navigator, nullptr);
        ASSERT_EQ(navigator->SetDvdDirectory(Fixture("disc")), S_OK);
        EXPECT_EQ(graph.Render({"DVD_Navigator", pins[1].name}), S_OK);
        EXPECT_EQ(graph.Render({"DVD_Navigator", pins[0].name}), S_OK);
        EXPECT_TRUE(media::Succeeded(graph.Render({"DVD_Navigator", pins[2].name})));
        EXPECT_EQ(DvdNavigatorElement::Navigator(nullptr), nullptr);
        EXPECT_TRUE(media::Succeeded(graph.Preroll(kWait)));
        g_object_weak_ref(
            G_OBJECT(graph.FindFilter("DVD_Navigator")),
            [](gpointer flag, GObject*) { *static_cast<bool*>(flag) = true; }, &finalized);
    }
    EXPECT_TRUE(finalized);
}

} // namespace
} // namespace plat::dvd::test
