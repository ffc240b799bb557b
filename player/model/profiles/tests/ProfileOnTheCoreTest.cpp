// A profile's subtitles through the hub into the real core over the chained test disc: the disc's own
// identifier (told by the core when the disc opens) chooses the profile's volume, the sender puts the
// language's styles and pages into the core (orders 500-504), the core's page selection takes the page
// of the playing title, and each page shows its events at their clock times, moved by the subtitle
// offset (order 506); another language replaces them, and the next title's page follows the disc.
#include "core/include/VokradNotifications.h"
#include "core/include/VokradOrders.h"
#include "core/src/TCorePlayer.h"
#include "core/tests/ManualClocks.h"
#include "platform/testing/FakeDisplayModes.h"
#include "platform/testing/FakeRendererFactory.h"
#include "platform/text/CodePage.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/profiles/TProfileControllerFactory.h"
#include "player/model/profiles/TProfileSubtitles.h"
#include "player/model/profiles/tests/ProfileArchiveFixture.h"
#include "player/model/tests/EventRecorder.h"
#include "player/model/tests/PlayerTestSupport.h"
#include "player/model/tests/TCorePlayerBinding.h"
#include "subtitles/model/TTextEvent.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <mutex>

namespace {

const std::u16string kDiscGraph = u"<GRAPH version=\"1.0\">\r\n"
                                  u"<FILTER ID=\"DVD\" clsid=\"{9B8C4620-2C1A-11D0-8493-00A02438AD48}\"/>\r\n"
                                  u"<RENDER id=\"DVD\" pin=\"##1\"/>\r\n"
                                  u"<RENDER id=\"DVD\" pin=\"##0\"/>\r\n"
                                  u"<RENDER id=\"DVD\" pin=\"##2\"/>\r\n"
                                  u"</GRAPH>";

// The same two lines in each language; title 3's page holds them 10 s later.
std::vector<TFixtureEvent> Lines(const std::string& first, const std::string& second) {
    return {{500, 1500, first}, {2000, 3000, second}};
}

class ProfileOnTheCore : public testing::Test {
protected:
    ProfileOnTheCore() {
        TEngineSetup setup;
        setup.renderers = std::make_shared<plat::media::FakeRendererFactory>();
        setup.filterFolder = folder_.path().toStdString();
        player_->SetEngineSetup(std::move(setup));
        player_->PlayStart();
        EXPECT_EQ(hub_.CreatePlayer(), 0);
        player_->RegisterClient(hub_.Window(), hub_.Window(), kHostClientMask);
        hub_.AddListener(&hubEvents_, 0, &TEventRecorder::Callback);
    }
    ~ProfileOnTheCore() override {
        hub_.DestroyPlayer();
        player_->Close();
    }

    TProfileSubtitles& Sender() {
        return dynamic_cast<TProfileSubtitles&>(*hub_.Controllers().ProfileSubtitles);
    }

    // Plays the chained disc, which starts with title 1, and pauses there once the disc is known.
    void PlayChainedDisc() {
        TOrderGraphDescription description{};
        description.kind = 1;
        description.text = kDiscGraph.c_str();
        hub_.SendRecord(kOrderGraphDescription, description);
        hub_.SetGraphVariable(u"FileName",
                              plat::text::AnsiToWide(std::string(DVD_FIXTURES) + "/chained").c_str());
        ASSERT_EQ(hub_.Play(), 0);
        ASSERT_TRUE(PumpUntil([&] { return DiscId().has_value() && hub_.GetTitle() == 1; }));
        ASSERT_EQ(hub_.Pause(), 0);
    }

    // The disc identifier halves the hub was told of.
    std::optional<std::pair<int32_t, int32_t>> DiscId() const {
        for (const TRecordedEvent& event : hubEvents_.events) {
            if (event.event == kEventDiscOpened && (event.a != 0 || event.b != 0)) {
                return std::pair(static_cast<int32_t>(event.a), static_cast<int32_t>(event.b));
            }
        }
        return std::nullopt;
    }

    std::u16string WriteProfile(int32_t idHigh, int32_t idLow) {
        const std::string path = folder_.filePath("chained.zds").toStdString();
        const std::vector<TFixtureVolume> volumes{
            {"Another disc", 5, 6, false, {{"English", Lines("Wrong", "Disc"), {{1, 0}, {3, 0}}}}},
            {"Chained disc",
             idHigh,
             idLow,
             false,
             {{"English", Lines("One", "Two"), {{1, 0}, {3, 10000}}},
              {"German", Lines("Eins", "Zwei"), {{1, 0}, {3, 10000}}}}}};
        EXPECT_TRUE(WriteFixtureProfile(path, volumes));
        return plat::text::AnsiToWide(path);
    }

    // The texts the core's current page shows at the clock time.
    std::vector<std::u16string> ShownAt(int32_t ms) {
        player_->ClockReport(ms);
        const std::lock_guard lock(player_->SubtitleLock());
        std::vector<std::u16string> texts;
        const TTitleBlock* page = player_->SubDisplay().CurrentBlock();
        if (page == nullptr || page->ShownSlot() == nullptr) {
            return texts;
        }
        for (const TSubEvents* event : page->ShownSlot()->Events()) {
            const auto* text = dynamic_cast<const TTextEvent*>(event);
            texts.emplace_back(text != nullptr ? text->GetText() : u"(no text)");
        }
        return texts;
    }

    void ExpectShown(const std::vector<std::pair<int32_t, std::vector<std::u16string>>>& rows) {
        for (const auto& [ms, texts] : rows) {
            EXPECT_EQ(ShownAt(ms), texts) << ms << " ms";
        }
    }

    QTemporaryDir folder_;
    std::unique_ptr<TCorePlayer> player_ =
        std::make_unique<TCorePlayer>(nullptr, std::make_shared<ManualClocks>());
    TPlayerGlobalsScope globals_{std::make_unique<TCorePlayerBinding>(*player_)};
    plat::display::FakeDisplayModes modes_;
    TProfileControllerFactory factory_{&modes_};
    TPlayControl hub_{&factory_};
    TEventRecorder hubEvents_;
};

TEST_F(ProfileOnTheCore, TheDiscsVolumeShowsItsPagesAtTheirTimesAndAnotherLanguageReplacesThem) {
    ASSERT_NO_FATAL_FAILURE(PlayChainedDisc());
    const auto [idHigh, idLow] = *DiscId();
    ASSERT_EQ(Sender().Open(WriteProfile(idHigh, idLow)), 0);
    EXPECT_EQ(Sender().VolumeIndex(), 1) << "the volume of the disc's own identifier";
    EXPECT_TRUE(Sender().Shown());
    ExpectShown({{200, {}}, {700, {u"One"}}, {1499, {u"One"}}, {1500, {}}, {2500, {u"Two"}}, {3000, {}}});

    ASSERT_NE(Sender().SelectLanguage(1), nullptr);
    ExpectShown({{200, {}}, {700, {u"Eins"}}, {1700, {}}, {2500, {u"Zwei"}}});

    // The subtitle offset (order 506, through the sender) shows the page a second later.
    EXPECT_EQ(hub_.SetSubtitleOffset(-1000), 1);
    ExpectShown({{700, {}}, {1700, {u"Eins"}}, {3500, {u"Zwei"}}});
    EXPECT_EQ(hub_.SetSubtitleOffset(0), 1);

    // Title 3 follows title 1 on this disc: the core takes its page.
    ASSERT_EQ(hub_.Play(), 0);
    ASSERT_TRUE(PumpUntil([&] { return hub_.GetTitle() == 3; }));
    ASSERT_EQ(hub_.Pause(), 0);
    ExpectShown({{700, {}}, {10700, {u"Eins"}}, {12500, {u"Zwei"}}});
}

TEST_F(ProfileOnTheCore, AProfileOpenedBeforeTheDiscIsToldItsVolumeWhenTheDiscOpens) {
    // The profile is written for the disc first: the disc's identifier comes from a first playback.
    ASSERT_NO_FATAL_FAILURE(PlayChainedDisc());
    const auto [idHigh, idLow] = *DiscId();
    const std::u16string profile = WriteProfile(idHigh, idLow);
    hub_.Stop();
    Sender().SelectVolumeForDisc(0, 0, true); // a reset, as a new disc brings
    ASSERT_EQ(Sender().Open(profile), 0);
    EXPECT_EQ(Sender().VolumeIndex(), 0) << "no disc yet: the first volume";
    hubEvents_.events.clear();
    ASSERT_NO_FATAL_FAILURE(PlayChainedDisc());
    EXPECT_EQ(Sender().VolumeIndex(), 1);
    ExpectShown({{700, {u"One"}}, {2500, {u"Two"}}});
}

} // namespace
