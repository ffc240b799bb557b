// The audio, subpicture and angle controllers and the user-operation mask: the volume mapping and mute,
// the asked-flag handshake with the hub, invalid selections, the core's 1-based angle numbers, and the
// operations a mask allows.
#include "player/model/controllers/TAngleInfo.h"
#include "player/model/controllers/TAudioInfo.h"
#include "player/model/controllers/TSubsInfo.h"
#include "player/model/controllers/TUOPS.h"
#include "player/model/tests/controllers/ControllerTestSupport.h"

#include <array>

namespace {

using Calls = std::vector<std::string>;

TEST(TAudioInfoVolume, TheAttenuationMappingBothWays) {
    const std::pair<int32_t, int32_t> toAttenuation[] = {{0, -10000}, {1, -2475}, {50, -1250}, {100, 0}};
    for (const auto& [volume, attenuation] : toAttenuation) {
        EXPECT_EQ(TAudioInfo::VolumeToAttenuation(volume), attenuation) << volume;
    }
    const std::pair<int32_t, int32_t> toVolume[] = {{0, 100},    {-2475, 1}, {-10000, 0},
                                                    {-1250, 50}, {-2499, 1}, {-2500, 0},
                                                    {-5000, 0},  {-9999, 0}, {2500, 100}};
    for (const auto& [attenuation, volume] : toVolume) {
        EXPECT_EQ(TAudioInfo::AttenuationToVolume(attenuation), volume) << attenuation;
    }
}

class TAudioInfoTest : public TControllerTest {
protected:
    TAudioInfoTest() {
        audio_.SetOSDControl(&osd_);
        audio_.AddListener(&events_, 1, &TEventRecorder::Callback);
    }
    // The attenuation of the last order 111 and its set flag.
    std::pair<int32_t, uint8_t> SentVolume() {
        const auto orders = core_->TakeOrders();
        TOrderVolume record{};
        EXPECT_FALSE(orders.empty());
        if (!orders.empty()) {
            EXPECT_EQ(orders.back().order, kOrderVolume);
            std::memcpy(&record, orders.back().record.data(), sizeof(record));
        }
        return {record.volume, record.set};
    }
    void AddTracks(std::initializer_list<uint32_t> languages) {
        for (uint32_t language : languages) {
            std::array<uint8_t, IAudioInfo::kTrackBytes> record{};
            std::memcpy(record.data() + 12, &language, sizeof(language));
            audio_.AddTrack(record);
        }
    }

    TAudioInfo audio_{hub_};
};

TEST_F(TAudioInfoTest, SetVolumeTellsTheScreenTheListenersAndTheCore) {
    EXPECT_EQ(audio_.SetVolume(40, false), 0);
    EXPECT_EQ(log_.Take(), (Calls{"OSD.SetVariable(AudioVolume, 40)", "OSD.ShowCommand(Osd_Volume)"}));
    EXPECT_EQ(events_.events, std::vector{Ev(kEventVolume, 40)});
    EXPECT_EQ(SentVolume(), std::pair(-1500, uint8_t{1}));
    audio_.SetVolume(0, true);
    EXPECT_EQ(log_.Take(), Calls{"OSD.SetVariable(AudioVolume, 0)"}) << "silent: no message";
    EXPECT_EQ(SentVolume(), std::pair(-10000, uint8_t{1}));
}

TEST_F(TAudioInfoTest, VolumesOutsideTheRangeAreClamped) {
    for (const auto& [asked, kept, attenuation] :
         {std::tuple{150, 100, 0}, std::tuple{-20, 0, -10000}, std::tuple{INT32_MIN, 0, -10000}}) {
        audio_.SetVolume(asked, true);
        EXPECT_EQ(audio_.KeptVolume(), kept) << asked;
        EXPECT_EQ(SentVolume().first, attenuation) << asked;
    }
    audio_.SetVolume(95, true);
    audio_.ChangeVolume(10);
    EXPECT_EQ(audio_.KeptVolume(), 100);
    audio_.SetVolume(5, true);
    audio_.ChangeVolume(-10);
    EXPECT_EQ(audio_.KeptVolume(), 0);
    EXPECT_EQ(SentVolume().first, -10000);
    audio_.ChangeVolume(INT32_MIN);
    EXPECT_EQ(audio_.KeptVolume(), 0);
}

TEST_F(TAudioInfoTest, GetVolumeReadsTheCoresAttenuation) {
    for (const auto& [attenuation, volume] : {std::pair{0, 100}, std::pair{-2475, 1}, std::pair{-10000, 0}}) {
        core_->writeBack[kOrderVolume] = BytesOf(attenuation);
        EXPECT_EQ(audio_.GetVolume(), volume) << attenuation;
        EXPECT_EQ(OnlyOrder().record, Request(TOrderVolume{{}, 0, 0, {}})) << "asks without setting";
    }
    core_->answers[kOrderVolume] = -1;
    EXPECT_EQ(audio_.GetVolume(), 0);
}

TEST_F(TAudioInfoTest, MuteTogglesAndRestoresTheVolume) {
    audio_.SetVolume(60, true);
    core_->TakeOrders();
    log_.Take();
    events_.events.clear();

    EXPECT_EQ(audio_.Mute(-1), 0);
    EXPECT_TRUE(audio_.IsMuted());
    EXPECT_EQ(SentVolume().first, -10000);
    EXPECT_EQ(log_.Take(), (Calls{"OSD.SetVariable(AudioVolume, 0)", "OSD.ShowCommand(Osd_Mute)"}));
    EXPECT_EQ(audio_.KeptVolume(), 60) << "kept for the sound to come back";

    EXPECT_EQ(audio_.Mute(-1), 0);
    EXPECT_FALSE(audio_.IsMuted());
    EXPECT_EQ(SentVolume().first, TAudioInfo::VolumeToAttenuation(60));
    EXPECT_EQ(log_.Take(), (Calls{"OSD.SetVariable(AudioVolume, 60)", "OSD.ShowCommand(Osd_Volume)"}));
    EXPECT_EQ(events_.events, (std::vector{Ev(kEventVolume, 0), Ev(kEventVolume, 60)}));

    audio_.Mute(0);
    EXPECT_TRUE(audio_.IsMuted());
    audio_.Mute(0);
    EXPECT_TRUE(audio_.IsMuted()) << "0 always switches off";
    audio_.Mute(5);
    EXPECT_FALSE(audio_.IsMuted());
    EXPECT_EQ(SentVolume().first, TAudioInfo::VolumeToAttenuation(60));
}

TEST_F(TAudioInfoTest, StreamsTheHandshakeAndInvalidSelections) {
    AddTracks({0x409, 0x40C});
    EXPECT_EQ(audio_.GetCount(), 2);
    EXPECT_EQ(audio_.GetTrackLanguage(1), 0x40Cu);
    EXPECT_FALSE(audio_.GetTrackLanguage(2).has_value());

    EXPECT_FALSE(audio_.SetCurrent(1)) << "a change the disc made";
    EXPECT_EQ(audio_.GetCurrent(), 1);
    core_->answers[kOrderAudioStream] = 1;
    EXPECT_EQ(audio_.SelectStream(0), 1);
    EXPECT_EQ(OnlyOrder().record, Request(TOrderStreams{{}, 0, 0, 0, {}, 0}));
    EXPECT_EQ(audio_.GetCurrent(), 1) << "the core reports the change";
    EXPECT_TRUE(audio_.SetCurrent(0)) << "asked for";
    EXPECT_FALSE(audio_.SetCurrent(0)) << "asked only once";

    EXPECT_EQ(audio_.NextStream(), 1);
    EXPECT_EQ(OnlyOrder().record, Request(TOrderStreams{{}, 1, 0, 0, {}, 0}));
    audio_.SetCurrent(1);
    audio_.NextStream();
    EXPECT_EQ(OnlyOrder().record, Request(TOrderStreams{{}, 0, 0, 0, {}, 0})) << "wraps to the first";

    for (int32_t invalid : {2, -1}) {
        errors_.events.clear();
        EXPECT_EQ(audio_.SelectStream(invalid), -1);
        EXPECT_TRUE(core_->TakeOrders().empty());
        ASSERT_EQ(errors_.events.size(), 1u);
        EXPECT_EQ(errors_.events[0].text, u"::AUD::SET:: Invalid Audio stream");
        EXPECT_EQ(errors_.events[0].b, 0) << "level 0";
    }
    events_.events.clear();
    audio_.Clear(false);
    EXPECT_EQ(audio_.GetCount(), 0);
    EXPECT_EQ(events_.events, (std::vector{Ev(kEventAudioStreams), Ev(kEventAudioStream, -1)}));
    audio_.Clear(true);
    EXPECT_EQ(events_.events.size(), 2u) << "silent";
}

TEST_F(TControllerTest, SubpictureSelectionAndDisplay) {
    TSubsInfo subs(hub_);
    subs.AddListener(&events_, 1, &TEventRecorder::Callback);
    std::array<uint8_t, ISubsInfo::kTrackBytes> record{};
    const uint32_t german = 0x407;
    std::memcpy(record.data() + 8, &german, sizeof(german));
    subs.AddTrack(record);
    subs.AddTrack(record);
    EXPECT_EQ(subs.GetTrackLanguage(0), german);

    EXPECT_EQ(subs.SelectStream(1), 0);
    EXPECT_EQ(OnlyOrder().record, Request(TOrderStreams{{}, 0, 1, 255, {}, 0}));
    EXPECT_EQ(subs.GetCurrent(), 1);
    EXPECT_TRUE(subs.SetCurrent(1, true));
    EXPECT_EQ(events_.events.back(), Ev(kEventSubpictureStream, 1, 1));

    subs.ShowSubtitles(false);
    EXPECT_EQ(OnlyOrder().record, Request(TOrderStreams{{}, 0, 0xFFFFFFFF, 0, {}, 0}));
    EXPECT_FALSE(subs.IsShown());
    EXPECT_TRUE(subs.SetCurrent(1, false));
    EXPECT_FALSE(subs.SetCurrent(1, true)) << "the disc switched them on";

    subs.NextStream();
    EXPECT_EQ(OnlyOrder().record, Request(TOrderStreams{{}, 0, 0, 255, {}, 0})) << "wraps";
    EXPECT_EQ(subs.SelectStream(2), -1);
    EXPECT_TRUE(core_->TakeOrders().empty());
    EXPECT_EQ(errors_.events.back().text, u"::SUB::SET:: Invalid subtitle stream");

    events_.events.clear();
    subs.Clear(false);
    EXPECT_FALSE(subs.IsShown());
    EXPECT_EQ(events_.events, (std::vector{Ev(kEventSubpictureStreams), Ev(kEventSubpictureStream, -1, 0)}));
}

TEST_F(TControllerTest, AnglesAreSentAsTheCoreNumbersThem) {
    TAngleInfo angles(hub_);
    angles.AddListener(&events_, 1, &TEventRecorder::Callback);
    angles.SetCount(3);
    angles.SetCurrent(0);
    EXPECT_EQ(angles.SelectAngle(0), 0);
    EXPECT_EQ(OnlyOrder().record, Request(TOrderStreams{{}, 0, 0, 0, {}, 1})) << "the first angle is 1";
    EXPECT_TRUE(angles.SetCurrent(0));
    EXPECT_EQ(angles.NextAngle(), 0);
    EXPECT_EQ(OnlyOrder().record, Request(TOrderStreams{{}, 0, 0, 0, {}, 2}))
        << "the next angle, not this one";
    angles.SetCurrent(2);
    angles.NextAngle();
    EXPECT_EQ(OnlyOrder().record, Request(TOrderStreams{{}, 0, 0, 0, {}, 1})) << "wraps to the first";

    EXPECT_EQ(angles.SelectAngle(3), -1);
    EXPECT_TRUE(core_->TakeOrders().empty());
    EXPECT_EQ(errors_.events.back().text, u"::ANG::SET:: Invalid Angle");

    events_.events.clear();
    angles.Clear(false);
    EXPECT_EQ(angles.GetCount(), 0);
    EXPECT_EQ(angles.GetCurrent(), -1);
    EXPECT_EQ(events_.events, std::vector{Ev(kEventAnglesCleared)});
    EXPECT_EQ(angles.NextAngle(), -1) << "no angles";
}

TEST(TUOPS, EachTestReadsItsBit) {
    using Test = bool (TUOPS::*)() const;
    const std::pair<Test, uint32_t> tests[] = {
        {&TUOPS::CanPlayChapter, 0x2},
        {&TUOPS::CanPlayAtTime, 0x20},
        {&TUOPS::CanPlayPrevChapter, 0x40},
        {&TUOPS::CanPlayNextChapter, 0x80},
        {&TUOPS::CanFastForward, 0x100},
        {&TUOPS::CanStepForward, 0x100},
        {&TUOPS::CanFastBackward, 0x200},
        {&TUOPS::CanStepBackward, 0x200},
        {&TUOPS::CanShowTitleMenu, 0x400},
        {&TUOPS::CanShowRootMenu, 0x800},
        {&TUOPS::CanShowSubpictureMenu, 0x1000},
        {&TUOPS::CanShowAudioMenu, 0x2000},
        {&TUOPS::CanShowAngleMenu, 0x4000},
        {&TUOPS::CanShowChapterMenu, 0x8000},
        {&TUOPS::CanPause, 0x80000},
        {&TUOPS::CanSelectAudioStream, 0x100000},
        {&TUOPS::CanSelectSubpictureStream, 0x200000},
        {&TUOPS::CanSelectAngle, 0x400000},
    };
    TUOPS uops;
    for (const auto& [test, bit] : tests) {
        EXPECT_FALSE((uops.*test)()) << "everything is prohibited at first: " << bit;
        uops.Set(0);
        EXPECT_TRUE((uops.*test)()) << bit;
        uops.Set(static_cast<int32_t>(bit));
        EXPECT_FALSE((uops.*test)()) << bit;
        uops.Set(static_cast<int32_t>(~bit));
        EXPECT_TRUE((uops.*test)()) << bit;
        uops.Set(-1);
    }
}

} // namespace
