// The hub's controllers against the real core: the test disc's streams with their languages, a stream
// and an angle selected through the controllers and reported back by the core, the volume and mute
// reaching the audio renderer as GStreamer's linear volume, and the filters of a playing clip read into
// filters and pins. The core plays with renderers that need no display or sound card.
#include "core/include/VokradNotifications.h"
#include "core/include/VokradOrders.h"
#include "core/src/TCorePlayer.h"
#include "core/tests/ManualClocks.h"
#include "platform/testing/FakeDisplayModes.h"
#include "platform/testing/FakeRendererFactory.h"
#include "platform/text/CodePage.h"
#include "player/model/controllers/TAudioInfo.h"
#include "player/model/controllers/TPlayerControllerFactory.h"
#include "player/model/hub/LanguageNames.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/tests/PlayerTestSupport.h"
#include "player/model/tests/TCorePlayerBinding.h"

#include <gtest/gtest.h>

#include <gst/audio/streamvolume.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <map>
#include <set>

namespace {

namespace media = plat::media;

// Audio renderers as the fake factory makes them, each kept so the test can read its volume.
class TKeptRenderers : public media::RendererFactory {
public:
    media::ElementRef CreateVideoRenderer() override { return fake_.CreateVideoRenderer(); }
    media::ElementRef CreateAudioRenderer() override {
        media::ElementRef renderer = fake_.CreateAudioRenderer();
        audio.push_back(renderer);
        return renderer;
    }
    // The linear volume of the last audio renderer's volume element; -1 without one.
    double LinearVolume() const {
        if (audio.empty()) {
            return -1;
        }
        GstElement* volume = gst_bin_get_by_interface(GST_BIN(audio.back().get()), GST_TYPE_STREAM_VOLUME);
        if (volume == nullptr) {
            return -1;
        }
        gdouble linear = -1;
        g_object_get(volume, "volume", &linear, nullptr);
        gst_object_unref(volume);
        return linear;
    }

    std::vector<media::ElementRef> audio;

private:
    media::FakeRendererFactory fake_;
};

const std::u16string kDiscGraph = u"<GRAPH version=\"1.0\">\r\n"
                                  u"<FILTER ID=\"DVD\" clsid=\"{9B8C4620-2C1A-11D0-8493-00A02438AD48}\"/>\r\n"
                                  u"<RENDER id=\"DVD\" pin=\"##1\"/>\r\n"
                                  u"<RENDER id=\"DVD\" pin=\"##0\"/>\r\n"
                                  u"<RENDER id=\"DVD\" pin=\"##2\"/>\r\n"
                                  u"</GRAPH>";
const std::u16string kRenderFile =
    u"<GRAPH version=\"1.0\"><RENDERFILE Filename=\"##TOVVAR:FileName##\"/></GRAPH>";

class ControllersOnTheCore : public testing::Test {
protected:
    ControllersOnTheCore() {
        TEngineSetup setup;
        setup.renderers = renderers_;
        setup.filterFolder = folder_.path().toStdString();
        player_->SetEngineSetup(std::move(setup));
        player_->PlayStart();
        EXPECT_EQ(hub_.CreatePlayer(), 0);
        player_->RegisterClient(hub_.Window(), hub_.Window(), kHostClientMask);
    }
    ~ControllersOnTheCore() override {
        hub_.DestroyPlayer();
        player_->Close();
    }

    void Describe(const std::u16string& graph, const std::string& media) {
        TOrderGraphDescription description{};
        description.kind = 1;
        description.text = graph.c_str();
        hub_.SendRecord(kOrderGraphDescription, description);
        hub_.SetGraphVariable(u"FileName", plat::text::AnsiToWide(media).c_str());
    }
    // Plays the test disc into title 1 through its menu.
    void PlayTitleOne() {
        Describe(kDiscGraph, std::string(DVD_FIXTURES) + "/disc");
        ASSERT_EQ(hub_.Play(), 0);
        TGraphEngine& engine = *player_->Engine();
        ASSERT_TRUE(PumpUntil([&] { return engine.IsInDvdMenu(); })) << "the disc's menu";
        // The menu's buttons come with its first navigation packet, a little after the menu shows.
        ASSERT_TRUE(PumpUntil([&] { return hub_.MenuButton(4) == 0; }));
        ASSERT_TRUE(PumpUntil([&] { return hub_.GetTitle() == 1 && Audio().GetCount() == 2; }))
            << "title 1 with its two audio streams";
    }
    IAudioInfo& Audio() { return *hub_.Controllers().Audio; }
    ISubsInfo& Subs() { return *hub_.Controllers().Subs; }
    IAngleInfo& Angles() { return *hub_.Controllers().Angles; }

    QTemporaryDir folder_;
    std::shared_ptr<TKeptRenderers> renderers_ = std::make_shared<TKeptRenderers>();
    std::unique_ptr<TCorePlayer> player_ =
        std::make_unique<TCorePlayer>(nullptr, std::make_shared<ManualClocks>());
    TPlayerGlobalsScope globals_{std::make_unique<TCorePlayerBinding>(*player_)};
    plat::display::FakeDisplayModes modes_;
    TPlayerControllerFactory factory_{&modes_};
    TPlayControl hub_{&factory_};
};

// One disc playback for the three checks: the core's graph build waits a few seconds for a first
// frame when the hub sets up its capture ring.
TEST_F(ControllersOnTheCore, TheDiscsStreamsAnglesAndVolume) {
    ASSERT_NO_FATAL_FAILURE(PlayTitleOne());
    {
        SCOPED_TRACE("streams and their languages; a stream change the core reports back");
        EXPECT_EQ(EnglishLanguageName(Audio().GetTrackLanguage(0).value_or(0)), u"English");
        EXPECT_EQ(EnglishLanguageName(Audio().GetTrackLanguage(1).value_or(0)), u"French");
        ASSERT_TRUE(PumpUntil([&] { return Subs().GetCount() == 2; }));
        EXPECT_EQ(EnglishLanguageName(Subs().GetTrackLanguage(0).value_or(0)), u"English");
        EXPECT_EQ(EnglishLanguageName(Subs().GetTrackLanguage(1).value_or(0)), u"German");
        EXPECT_EQ(Audio().GetCurrent(), 0);
        EXPECT_EQ(Audio().SelectStream(1), 1) << "order 120 answers 1 for a stream it took";
        EXPECT_TRUE(PumpUntil([&] { return Audio().GetCurrent() == 1; }))
            << "the core reports the new stream";
        EXPECT_EQ(hub_.RefreshStreams(1), 0);
        EXPECT_EQ(Audio().GetCurrent(), 1) << "and the title's information says so";
    }
    {
        SCOPED_TRACE("angles, numbered from 1 by the disc");
        ASSERT_TRUE(PumpUntil([&] { return Angles().GetCount() == 1; })) << "the title has one angle";
        EXPECT_EQ(Angles().GetCurrent(), 0);
        EXPECT_EQ(Angles().SelectAngle(0), 0) << "the first angle is angle 1 of the disc";
        EXPECT_EQ(Angles().NextAngle(), 0) << "with one angle, the next is the first again";
        EXPECT_EQ(Angles().SelectAngle(1), -1) << "there is no second angle";
    }
    {
        SCOPED_TRACE("volume and mute at the audio renderer");
        ASSERT_FALSE(renderers_->audio.empty());
        struct Case {
            int32_t volume;
            double linear;
        };
        // The attenuation in hundredths of a decibel becomes 10^(attenuation / 2000).
        for (const Case c : {Case{100, 1.0}, Case{50, std::pow(10.0, -1250.0 / 2000)},
                             Case{1, std::pow(10.0, -2475.0 / 2000)}, Case{0, 0.0}}) {
            EXPECT_EQ(Audio().SetVolume(c.volume, true), 0);
            EXPECT_NEAR(renderers_->LinearVolume(), c.linear, 1e-6) << c.volume;
            EXPECT_EQ(Audio().GetVolume(), c.volume) << "read back through the core";
        }
        Audio().SetVolume(60, true);
        Audio().Mute(-1);
        EXPECT_TRUE(Audio().IsMuted());
        EXPECT_EQ(renderers_->LinearVolume(), 0.0);
        Audio().Mute(-1);
        EXPECT_NEAR(renderers_->LinearVolume(), std::pow(10.0, -1000.0 / 2000), 1e-6) << "volume 60 again";
    }
}

TEST_F(ControllersOnTheCore, TheFiltersOfAPlayingClipWithTheirPins) {
    Describe(kRenderFile, std::string(MEDIA_FIXTURES) + "/clip.ogg");
    ASSERT_EQ(hub_.Play(), 0);
    const IFiltersInfo& filters = *hub_.Controllers().Filters;
    ASSERT_TRUE(PumpUntil([&] { return filters.GetCount() > 0; })) << "the hub read the filter list";
    ASSERT_GE(filters.GetCount(), 4) << "source, demuxer, decoders and renderers";
    int connected = 0;
    std::set<std::u16string> classes;
    bool sharedClass = false;
    for (int32_t i = 0; const TFiltersEntry* filter = filters.GetFilter(i); ++i) {
        ASSERT_TRUE(filter->Name.has_value());
        ASSERT_TRUE(filter->Clsid.has_value());
        sharedClass = sharedClass || !classes.insert(*filter->Clsid).second;
        EXPECT_EQ(filters.FindByName(filter->Name->c_str(), false)->Index, filter->Index)
            << "names are unique";
        for (const TPinEntry& pin : filter->Pins) {
            if (!pin.ConnectedPin) {
                continue;
            }
            ++connected;
            // Each connection leads to a filter whose pin of that name leads back here.
            ASSERT_NE(pin.ConnectedFilter, nullptr);
            const auto back = std::find_if(pin.ConnectedFilter->Pins.begin(), pin.ConnectedFilter->Pins.end(),
                                           [&](const TPinEntry& p) { return p.Name == *pin.ConnectedPin; });
            ASSERT_NE(back, pin.ConnectedFilter->Pins.end());
            EXPECT_EQ(back->ConnectedFilter, filter);
            EXPECT_EQ(back->ConnectedPin, pin.Name);
            EXPECT_NE(back->Input, pin.Input);
        }
    }
    EXPECT_GE(connected, 6) << "three links, seen from both ends";
    EXPECT_TRUE(sharedClass) << "the clip's graph has two filters of one class (the renderers' bins)";
    // The source and what decodes have settings to show; the renderers' bins have none.
    std::map<std::u16string, int> perClass;
    for (int32_t i = 0; const TFiltersEntry* filter = filters.GetFilter(i); ++i) {
        ++perClass[*filter->Clsid];
    }
    int withProperties = 0;
    for (int32_t i = 0; const TFiltersEntry* filter = filters.GetFilter(i); ++i) {
        withProperties += filter->HasPropertyPages ? 1 : 0;
        EXPECT_FALSE(perClass[*filter->Clsid] > 1 && filter->HasPropertyPages)
            << plat::text::WideToAnsi(*filter->Name);
    }
    EXPECT_GE(withProperties, 2) << "the source and what decodes";
}

} // namespace
