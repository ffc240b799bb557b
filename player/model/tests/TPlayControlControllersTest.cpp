// How the hub drives its controllers: stand-ins record the calls in one log, the recording core
// answers the orders, and the core's notifications arrive at the hub's real window.
#include "core/include/VokradNotifications.h"
#include "platform/text/CodePage.h"
#include "player/model/hub/TDiscPaths.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/tests/EventRecorder.h"
#include "player/model/tests/FakeControllers.h"
#include "player/model/tests/PlayerTestSupport.h"
#include "player/model/tests/RecordingCore.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

namespace win = plat::win;
namespace fs = std::filesystem;
using Calls = std::vector<std::string>;

class TTestEnvironment : public THubEnvironment {
public:
    bool IsShiftDown() const override { return shiftDown; }
    std::u16string VolumeLabel(uint8_t driveLetter) const override {
        return driveLetter == 'D' ? u"MYDISC" : u"";
    }
    bool shiftDown = false;
};

class TPlayControlControllers : public testing::Test {
protected:
    TPlayControlControllers() : core_(new TRecordingCore), globals_(std::unique_ptr<TSendToCore>(core_)) {
        hub_.SetEnvironment(&environment_);
        EXPECT_EQ(hub_.CreatePlayer(), 0);
        hub_.AddListener(&events_, 1, &TEventRecorder::Callback);
        log_.Take();
        core_->TakeOrders();
    }
    ~TPlayControlControllers() override { fs::remove_all(folder_); }

    void Status(uint32_t status, uint32_t value1, uint32_t value2) {
        EXPECT_EQ(DeliverRecord(hub_.Window(), StatusRecord(status, value1, value2)), 1);
    }
    std::string Folder() const { return folder_.string() + "/"; }

    fs::path folder_ = fs::temp_directory_path() / ("player_model_hub_" + std::to_string(::getpid()));
    TControllerLog log_;
    TFakeFactory factory_{log_};
    TTestEnvironment environment_;
    TRecordingCore* core_;
    TPlayerGlobalsScope globals_;
    TManualTimers timers_;
    TPlayControl hub_{&factory_};
    TEventRecorder events_;
};

TEST(TPlayControlLifecycle, ControllersAreMadeAndDestroyedInOrder) {
    TControllerLog log;
    TFakeFactory factory(log);
    TPlayerGlobalsScope globals(std::make_unique<TRecordingCore>());
    {
        TPlayControl hub(&factory);
        EXPECT_EQ(log.Take(), Calls{"+DVDInfo"});
        EXPECT_EQ(hub.CreatePlayer(), 0);
        EXPECT_EQ(log.Take(),
                  (Calls{"+Video", "+Bookmarks", "+Audio", "+Subs", "+Angles", "+UOPS", "+Profile", "+Titles",
                         "+Filters", "+OSD", "Audio.SetOSDControl(osd)", "Video.SetOSDControl(osd)"}));
        hub.DestroyPlayer();
        EXPECT_EQ(log.Take(), (Calls{"~Video", "~Bookmarks", "~Audio", "~Subs", "~Angles", "~UOPS",
                                     "~Profile", "~Titles", "~Filters", "~OSD"}));
        EXPECT_FALSE(hub.HasInstance());
    }
    EXPECT_EQ(log.Take(), Calls{"~DVDInfo"});
}

TEST_F(TPlayControlControllers, PlayPausesAPausedPlayerAndOtherwiseStarts) {
    core_->writeBack[kOrderPlayState] = BytesOf(kPlayStatePaused);
    EXPECT_EQ(hub_.Play(), 0);
    EXPECT_EQ(core_->TakeOrderNumbers(), (std::vector{kOrderPlayState, kOrderPauseToggle, kOrderPlayState}));
    EXPECT_EQ(log_.Take(), Calls{"OSD.ShowCommand(Osd_Pause)"});

    hub_.SetScanSpeedCount(2);
    hub_.SetScanSpeed(1, 2.0);
    hub_.ScanSpeed(1);
    core_->writeBack[kOrderPlayState] = BytesOf(kPlayStatePlaying);
    log_.Take();
    core_->TakeOrders();
    EXPECT_EQ(hub_.Play(), 0);
    EXPECT_EQ(core_->TakeOrderNumbers(), (std::vector{kOrderPlayState, kOrderPlay}));
    EXPECT_EQ(log_.Take(), (Calls{"Video.Refresh(0)", "OSD.ShowCommand(Osd_Play)"}));
    EXPECT_EQ(hub_.ScanSpeedIndex(), 0);

    core_->answers[kOrderPauseToggle] = -1;
    EXPECT_EQ(hub_.Pause(), -1);
    EXPECT_TRUE(log_.Take().empty());
}

TEST_F(TPlayControlControllers, StopClearsEveryControllerBeforeTheOrder) {
    EXPECT_EQ(hub_.Stop(), 0);
    EXPECT_EQ(log_.Take(),
              (Calls{"Profile.SelectVolumeForDisc(0, 0, 1)", "Audio.Clear(0)", "Subs.Clear(0)",
                     "Bookmarks.Clear(0)", "Bookmarks.SetStorageFile(null)", "Angles.Clear(0)",
                     "Titles.Clear()", "Filters.Clear(0)", "UOPS.Set(-1)", "OSD.ShowCommand(Osd_Stop)"}));
    EXPECT_EQ(core_->TakeOrderNumbers(), std::vector{kOrderStop});
    EXPECT_EQ(events_.events, std::vector{Ev(kEventUserOperations, -1)});
}

TEST_F(TPlayControlControllers, AGraphBuiltDuringPlayIsFetchedBeforePlayReturns) {
    // The core sends status 13 from inside order 100, as it does when play builds the graph.
    core_->during = [&](uint32_t order, void*) {
        if (order == kOrderPlay) {
            Status(kStatusGraphBuilt, 0, 0);
        }
    };
    std::vector<uint8_t> name(8, 0);
    for (char16_t c : std::u16string_view(u"movie.avi\0", 10)) {
        name.insert(name.end(), {static_cast<uint8_t>(c), 0});
    }
    const std::u16string filters = u"<FILTERSLIST/>";
    const std::u16string log = u"graph log";
    core_->blocks[kOrderMediaName] = name;
    core_->blocks[kOrderFilterList] = {
        reinterpret_cast<const uint8_t*>(filters.c_str()),
        reinterpret_cast<const uint8_t*>(filters.c_str() + filters.size() + 1)};
    core_->blocks[kOrderGraphLog] = {reinterpret_cast<const uint8_t*>(log.c_str()),
                                     reinterpret_cast<const uint8_t*>(log.c_str() + log.size() + 1)};
    hub_.SetCaptureFrames(6);

    EXPECT_EQ(hub_.Play(), 0);
    const auto orders = core_->TakeOrders();
    std::vector<uint32_t> numbers;
    for (const auto& o : orders) {
        numbers.push_back(o.order);
    }
    EXPECT_EQ(numbers, (std::vector{kOrderPlayState, kOrderPlay, kOrderMediaName, kOrderFilterList,
                                    kOrderGraphLog, kOrderCaptureRing}));
    EXPECT_EQ(orders.back().record, BytesOf(TOrderCaptureRing{{0, 12}, 6}));
    EXPECT_EQ(core_->OutstandingBlocks(), 0);
    EXPECT_EQ(log_.Take(),
              (Calls{"OSD.SetVariable(Filename, movie.avi)", "Filters.ParseFiltersXml(<FILTERSLIST/>)",
                     "Video.Refresh(0)", "OSD.ShowCommand(Osd_Play)"}));
    EXPECT_EQ(events_.events, std::vector{Ev(kEventGraphBuilt)});
    std::u16string fileName;
    EXPECT_TRUE(hub_.GetFileName(&fileName));
    EXPECT_EQ(fileName, u"movie.avi");
    TMemoryObject graphText(16);
    EXPECT_EQ(hub_.GetGraphText(&graphText), 0);
    EXPECT_EQ(graphText.Used, static_cast<int32_t>(log.size() * 2 + 4));
    EXPECT_EQ(std::u16string(graphText.Text()), log);
}

TEST_F(TPlayControlControllers, ADiscLoadsItsPerDiscData) {
    hub_.SetBookmarksFolder(plat::text::AnsiToWide(folder_.string()).c_str()); // without a separator
    hub_.SetAutoBookmarkDelay(250);
    factory_.video->aspectReadable = true;
    struct TTitles {
        uint32_t tag, size, count, chapters[2];
    };
    core_->blocks[kOrderTitlesChapters] = BytesOf(TTitles{0, 20, 2, {5, 7}});
    Status(kStatusDrive, 3, 0);
    PostAndDeliver(hub_.Window(), kMsgCoreNewMedia, 0x12345678, 0x9ABCDEF0);

    const std::string disc = Folder() + "12345678-9ABCDEF0-MYDISC/";
    const std::string storage = disc + "12345678-9ABCDEF0.dsi";
    EXPECT_EQ(
        log_.Take(),
        (Calls{"Video.SetAspectRatioFile(null)", "DVDInfo.Clear()",
               "Bookmarks.SetStorageFile(" + storage + ")", "Titles.Load(" + storage + ")",
               "Titles.SetTitleCount(2)", "Titles.SetChapterCount(1, 5)", "Titles.SetChapterCount(2, 7)",
               "Titles.NotifyChanged()", "Video.ApplyAspectRatioFile(" + disc + "AspectRatio.xml)",
               "Video.SetAspectRatioFile(" + disc + "AspectRatio.xml)", "DVDInfo.Load(" + disc + "Info.xml)",
               "Profile.SelectVolumeForDisc(305419896, 2596069104, 0)"}));
    EXPECT_EQ(events_.events, (std::vector{Ev(kEventAspectLoaded, 1), Ev(kEventDiscDataLoaded, 1),
                                           Ev(kEventDiscOpened, 0x12345678, int32_t(0x9ABCDEF0))}));
    EXPECT_EQ(core_->OutstandingBlocks(), 0);
    TMemoryObject folder(16);
    ASSERT_TRUE(hub_.GetDiscFolder(&folder));
    EXPECT_EQ(plat::text::WideToAnsi(folder.Text()), disc);

    // The start-up bookmark follows after the delay.
    EXPECT_TRUE(timers_.host.IsArmed(hub_.Window(), TPlayControl::kStartupBookmarkTimer));
    timers_.host.Advance(249);
    DeliverPosted();
    EXPECT_TRUE(log_.Take().empty());
    timers_.host.Advance(1);
    DeliverPosted();
    EXPECT_EQ(log_.Take(), Calls{"Bookmarks.GoToStartupBookmark()"});
    EXPECT_FALSE(timers_.host.IsArmed(hub_.Window(), TPlayControl::kStartupBookmarkTimer));
}

TEST_F(TPlayControlControllers, AMediaFileUsesTheStorageFileBesideItOrOneInTheBookmarksRoot) {
    fs::create_directories(folder_ / "media");
    const std::string media = (folder_ / "media" / "film.mkv").string();
    hub_.SetBookmarksFolder(plat::text::AnsiToWide(Folder() + "root/").c_str());
    hub_.SetFileName(plat::text::AnsiToWide(media).c_str());
    struct Case {
        bool besideExists;
        std::string storage;
    };
    const std::string inRoot = plat::text::WideToAnsi(TDiscPaths::MediaStorageFile(
        plat::text::AnsiToWide(Folder() + "root/"), plat::text::AnsiToWide(media)));
    for (const Case& c : {Case{false, inRoot}, Case{true, media + ".dsi"}}) {
        if (c.besideExists) {
            std::ofstream(media + ".dsi") << "x";
        }
        log_.Take();
        PostAndDeliver(hub_.Window(), kMsgCoreNewMedia, 0, 0);
        EXPECT_EQ(log_.Take(),
                  (Calls{"Video.SetAspectRatioFile(null)", "DVDInfo.Clear()",
                         "Bookmarks.SetStorageFile(" + c.storage + ")", "Titles.Load(" + c.storage + ")",
                         "Titles.NotifyChanged()",
                         "DVDInfo.Load(" + c.storage.substr(0, c.storage.size() - 4) + ".Info.xml)",
                         "Profile.SelectVolumeForDisc(0, 0, 0)"}));
        EXPECT_FALSE(hub_.GetDiscFolder(nullptr));
    }
}

TEST_F(TPlayControlControllers, ShiftOrAPendingResumeChoosesTheTimer) {
    struct Case {
        bool shift;
        bool resume;
        bool startup;
        bool restore;
    };
    for (const Case& c : {Case{false, false, true, false}, Case{false, true, false, true},
                          Case{true, false, false, false}, Case{true, true, false, false}}) {
        SCOPED_TRACE(testing::Message() << "shift " << c.shift << ", resume " << c.resume);
        factory_.bookmarks->saveResult = 0;
        if (c.resume) {
            EXPECT_EQ(hub_.SuspendForModeSwitch(), 0);
            EXPECT_TRUE(hub_.ResumePending());
        }
        environment_.shiftDown = c.shift;
        PostAndDeliver(hub_.Window(), kMsgCoreNewMedia, 1, 1);
        EXPECT_EQ(timers_.host.IsArmed(hub_.Window(), TPlayControl::kStartupBookmarkTimer), c.startup);
        EXPECT_EQ(timers_.host.IsArmed(hub_.Window(), TPlayControl::kResumeTimer), c.restore);
        EXPECT_EQ(hub_.ResumePending(), c.shift && c.resume);
        log_.Take();
        timers_.host.Advance(10); // the shortest timer period
        DeliverPosted();
        const Calls fired = c.startup   ? Calls{"Bookmarks.GoToStartupBookmark()"}
                            : c.restore ? Calls{"Bookmarks.RestoreResumePoint()"}
                                        : Calls{};
        EXPECT_EQ(log_.Take(), fired);
        EXPECT_EQ(timers_.host.ArmedCount(), 0u);
        hub_.Stop();
    }
}

TEST_F(TPlayControlControllers, ResumeAfterAModeSwitchOnlyWhenTheResumePointWasSaved) {
    factory_.bookmarks->saveResult = -1;
    EXPECT_EQ(hub_.SuspendForModeSwitch(), -1);
    EXPECT_FALSE(hub_.ResumePending());
    core_->TakeOrders();
    EXPECT_EQ(hub_.ResumeAfterModeSwitch(false), -1);
    EXPECT_TRUE(core_->TakeOrders().empty());
    EXPECT_EQ(hub_.ResumeAfterModeSwitch(true), 0);
    EXPECT_EQ(core_->TakeOrderNumbers(), (std::vector{kOrderPlayState, kOrderPlay}));

    factory_.bookmarks->saveResult = 0;
    log_.Take();
    EXPECT_EQ(hub_.SuspendForModeSwitch(), 0);
    EXPECT_EQ(log_.Take().front(), "Bookmarks.SaveResumePoint()");
    EXPECT_EQ(hub_.ResumeAfterModeSwitch(false), 0);
}

TEST_F(TPlayControlControllers, StreamChangesShowMessagesOnlyWhenTheUserAskedForThem) {
    factory_.audio->languages = {{1, 0x0409}, {2, 0x0000}};
    factory_.subs->languages = {{2, 0x040C}};
    struct Case {
        uint32_t status;
        uint32_t value2;
        bool asked;
        Calls calls;
    };
    const Case cases[] = {
        {kStatusAudioStream,
         1,
         true,
         {"Audio.SetCurrent(1)", "OSD.SetVariable(AudLanguage, English)", "OSD.ShowCommand(Osd_Audio)"}},
        {kStatusAudioStream, 1, false, {"Audio.SetCurrent(1)"}},
        {kStatusAudioStream, 2, true, {"Audio.SetCurrent(2)"}}, // no language name
        {kStatusAudioStream, 7, true, {"Audio.SetCurrent(7)"}}, // no such stream
        {kStatusSubpicture,
         kSubpictureShownBit | 2,
         true,
         {"Subs.SetCurrent(2, 1)", "OSD.SetVariable(SubLanguage, French)", "OSD.ShowCommand(Osd_SubOn)"}},
        {kStatusSubpicture,
         2,
         true,
         {"Subs.SetCurrent(2, 0)", "OSD.SetVariable(SubLanguage, )", "OSD.ShowCommand(Osd_SubOff)"}},
        {kStatusSubpicture, kSubpictureShownBit | 2, false, {"Subs.SetCurrent(2, 1)"}},
        {kStatusAngle,
         0x00030002,
         true,
         {"Angles.SetCount(3)", "Angles.SetCurrent(1)", "OSD.SetVariable(Angle, 2)",
          "OSD.ShowCommand(Osd_Angle)"}},
        {kStatusAngle, 0x00030002, false, {"Angles.SetCount(3)", "Angles.SetCurrent(1)"}},
        {kStatusUserOperations, 0, false, {"UOPS.Set(2)"}}, // the mask is the first value
    };
    for (const Case& c : cases) {
        factory_.audio->asked = factory_.subs->asked = factory_.angles->asked = c.asked;
        Status(c.status, 2, c.value2);
        EXPECT_EQ(log_.Take(), c.calls) << "status " << c.status << ", value " << c.value2;
    }
}

TEST_F(TPlayControlControllers, ANewTitleRefreshesItsStreams) {
    TOrderDiscInformation information{};
    auto* bytes = reinterpret_cast<uint8_t*>(&information);
    const auto put = [&](size_t offset, uint32_t word) { std::memcpy(bytes + offset, &word, sizeof(word)); };
    put(216, 2);     // audio streams
    bytes[220] = 11; // first byte of each 40-byte record
    bytes[260] = 22;
    put(2848, 1);     // subpicture streams
    bytes[2852] = 33; // first byte of the 16-byte record
    information.audioStream = 1;
    information.subpictureStream = 0x10000;
    information.angle = 2;
    core_->writeBack[kOrderDiscInformation] = std::vector<uint8_t>(bytes + 8, bytes + sizeof(information));

    PostAndDeliver(hub_.Window(), kMsgCoreTitleChapter, kTitleChapterTitle, 4);
    const auto orders = core_->TakeOrders();
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(orders[0].order, kOrderDiscInformation);
    TOrderDiscInformation request{};
    request.head = {0, sizeof(request)};
    request.title = 4;
    EXPECT_EQ(orders[0].record, BytesOf(request));
    EXPECT_EQ(log_.Take(),
              (Calls{"Audio.Clear(1)", "Audio.AddTrack(11)", "Audio.AddTrack(22)", "Audio.SetCurrent(1)",
                     "Audio.NotifyAll()", "Subs.Clear(1)", "Subs.AddTrack(33)", "Subs.SetCurrent(0, 1)",
                     "Subs.NotifyAll()", "Angles.SetCurrent(1)", "Titles.SetCurrent(4, 0)"}));

    // Counts beyond what a title can have are cut to the record's room.
    put(216, 200);
    put(2848, 0xFFFFFFFF);
    core_->writeBack[kOrderDiscInformation] = std::vector<uint8_t>(bytes + 8, bytes + sizeof(information));
    EXPECT_EQ(hub_.RefreshStreams(4), 0);
    const Calls calls = log_.Take();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "Audio.AddTrack(11)") +
                  std::count(calls.begin(), calls.end(), "Audio.AddTrack(22)") +
                  std::count(calls.begin(), calls.end(), "Audio.AddTrack(0)"),
              8);
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                            [](const std::string& s) { return s.starts_with("Subs.AddTrack"); }),
              32);

    core_->answers[kOrderDiscInformation] = -1;
    EXPECT_EQ(hub_.RefreshStreams(4), -1);
    EXPECT_TRUE(log_.Take().empty());
}

TEST_F(TPlayControlControllers, APlayStateOfStoppedForgetsThePerDiscFiles) {
    for (const uint32_t state : {kPlayStatePlaying, kPlayStateStopped}) {
        core_->writeBack[kOrderPlayState] = BytesOf(state);
        Status(kStatusPlayState, 0, 0);
    }
    EXPECT_EQ(log_.Take(), (Calls{"Video.SetAspectRatioFile(null)", "DVDInfo.Clear()"}));
    EXPECT_EQ(events_.events,
              (std::vector{Ev(kEventPlayState, kPlayStatePlaying), Ev(kEventPlayState, kPlayStateStopped)}));
}

TEST_F(TPlayControlControllers, ChaptersAndTheSubtitleOffsetGoThroughTheirControllers) {
    struct Case {
        int32_t result;
        Calls next;
        Calls previous;
    };
    for (const Case& c :
         {Case{0,
               {"Titles.NextChapter()", "OSD.ShowCommand(Osd_NextChapter)"},
               {"Titles.PrevChapter()", "OSD.ShowCommand(Osd_PrevChapter)"}},
          Case{-1, {"Titles.NextChapter()", "OSD.ShowCommand(Osd_NextChapter)"}, {"Titles.PrevChapter()"}}}) {
        factory_.titles->chapterResult = c.result;
        EXPECT_EQ(hub_.NextChapter(), c.result);
        EXPECT_EQ(log_.Take(), c.next);
        EXPECT_EQ(hub_.PrevChapter(), c.result);
        EXPECT_EQ(log_.Take(), c.previous);
    }
    EXPECT_EQ(hub_.SetSubtitleOffset(-1500), 1);
    EXPECT_EQ(log_.Take(), (Calls{"OSD.SetVariable(SubOffset, -1.50 [s])", "OSD.ShowCommand(Osd_SubOffset)",
                                  "Profile.SetSubtitleOffset(-1500)"}));
}

} // namespace
