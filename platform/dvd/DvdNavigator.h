#pragma once
// The DVD navigator: plays a disc with libdvdnav inside a GStreamer bin, and is the control and
// information interface the engine calls. A thread of its own reads the disc, turns libdvdnav's
// events into stream switches, still frames, dvdspu highlight and colour events and new timelines,
// and reports the navigator events (domain, title, chapter, streams, still, operations, time, errors)
// to the listener. Commands come from the host thread; every libdvdnav call is made under one lock.
// Operations the disc prohibits are refused with VFW_E_DVD_OPERATION_INHIBITED, since libdvdnav
// lets most of them through. The place (domain, title, chapter, time) is told as the picture shows it
// (see DvdPresentation). Fast and slow forward play runs the pipeline at the rate; backward scans jump
// back from video unit to video unit, showing each a moment.
#include "platform/dvd/DvdControl.h"
#include "platform/dvd/DvdDiscInfo.h"
#include "platform/dvd/DvdPresentation.h"
#include "platform/dvd/DvdStreamRouter.h"
#include "platform/dvd/DvdTypes.h"
#include "platform/media/GraphEvent.h"

#include <dvdnav/dvdnav.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace plat::dvd {

class DvdNavigator final : public DvdControl {
public:
    explicit DvdNavigator(GstBin* bin);
    ~DvdNavigator() override;
    DvdNavigator(const DvdNavigator&) = delete;
    DvdNavigator& operator=(const DvdNavigator&) = delete;

    // DvdControl
    void SetEventListener(DvdEventListener listener) override;

    HResult SetDvdDirectory(const std::string& path) override;
    HResult GetDvdDirectory(std::string* path) const override;
    void SetHmsfTimeCodeEvents(bool on) override;

    // Streaming, from the bin's state changes. Start: E_INVALIDARG without a disc, E_UNEXPECTED when
    // GStreamer elements the navigator is made of are missing.
    HResult Start();
    void Stop();
    // Back to the start of the disc (first play), as a stopped disc starts again.
    HResult Restart();

    HResult ShowMenu(DvdMenuId menu) override;
    HResult Resume() override;
    HResult ReturnFromSubmenu() override;
    HResult SelectRelativeButton(DvdRelativeButton direction) override;
    HResult ActivateButton() override;
    HResult SelectButton(std::uint32_t button) override;
    HResult SelectAndActivateButton(std::uint32_t button) override;
    HResult SelectAtPosition(int x, int y) override;
    HResult ActivateAtPosition(int x, int y) override;
    HResult PlayTitle(std::uint32_t title) override;
    HResult PlayChapterInTitle(std::uint32_t title, std::uint32_t chapter) override;
    HResult PlayChapter(std::uint32_t chapter) override;
    HResult PlayAtTimeInTitle(std::uint32_t title, const DvdTimeCode& time) override;
    HResult PlayAtTime(const DvdTimeCode& time) override;
    HResult PlayNextChapter() override;
    HResult PlayPrevChapter() override;
    HResult ReplayChapter() override;
    HResult StopPlayback() override;
    HResult PlayForwards(double speed) override;
    HResult PlayBackwards(double speed) override;
    HResult SelectAudioStream(std::uint32_t stream) override;
    HResult SelectSubpictureStream(std::uint32_t stream) override;
    HResult SetSubpictureState(bool shown) override;
    HResult SelectAngle(std::uint32_t angle) override;
    HResult SelectVideoModePreference(DvdVideoPreference preference) override;
    HResult SetState(const DvdState& state, std::chrono::milliseconds wait) override;

    HResult GetCurrentDomain(DvdDomain* domain) const override;
    HResult GetCurrentLocation(DvdLocation* location) const override;
    HResult GetTotalTitleTime(DvdTimeCode* time, std::uint32_t* flags) const override;
    HResult GetCurrentAudio(std::uint32_t* available, std::uint32_t* current) const override;
    HResult GetCurrentSubpicture(std::uint32_t* available, std::uint32_t* current,
                                 bool* disabled) const override;
    HResult GetCurrentAngle(std::uint32_t* available, std::uint32_t* current) const override;
    HResult GetCurrentButton(std::uint32_t* available, std::uint32_t* current) const override;
    HResult GetCurrentUOPS(std::uint32_t* prohibited) const override;
    HResult GetState(DvdState* state) const override;
    HResult GetCurrentVideoAttributes(DvdVideoAttributes* video) const override;
    HResult GetTitleAttributes(std::uint32_t title, DvdMenuAttributes* menu,
                               DvdTitleAttributes* attributes) const override;
    HResult GetDvdVolumeInfo(std::uint32_t* volumes, std::uint32_t* volume, std::uint32_t* side,
                             std::uint32_t* titles) const override;
    HResult GetNumberOfChapters(std::uint32_t title, std::uint32_t* chapters) const override;
    HResult GetChapterTimes(std::uint32_t title, std::vector<std::uint64_t>* starts) const override;
    HResult GetDiscId(const std::string& path, std::uint64_t* id) const override;

private:
    // What the reading last met (the picture follows later) and what was last told.
    struct Reported {
        DvdDomain domain = DvdDomain::Stop;
        std::uint32_t title = 0;
        std::uint32_t chapter = 0;
        std::uint32_t prohibited = ~0u;
        std::uint32_t buttons = 0;
        std::uint32_t button = 0;
        DvdHighlight highlight;
        bool highlightShown = false;
    };
    // What the reading thread has to do after it let go of the lock.
    struct Work {
        const std::uint8_t* block = nullptr;
        std::size_t blockSize = 0;
        bool flushStop = false;  // a command started a flush: the data read now comes after it
        bool flushStart = false; // the thread itself jumped (a time search it was left to make)
        bool stillStarts = false;
        int stillSeconds = -1; // while in a still frame: how long it lasts (255: until a command)
        bool stillEnds = false;
        bool drainThenSkipWait = false;
        bool colourTable = false;
        std::uint32_t colours[16] = {};
        int audio = -1;
        int subpicture = -1;
        int subpictureShown = -1;
        bool refreshHighlight = false;
        std::optional<DvdPlace> place; // marked ahead of the data that follows
        bool placeAtEnd = false;       // no data follows: shown when what was read has played
        bool landing = false;          // a backward scan landed on this unit
        std::uint64_t rewindAfter = 0; // the landed unit's marker: once shown, the scan jumps on
        std::vector<media::GraphEvent> events;
    };
    // A backward scan: the picture is to move back from the title time at the speed, paced by the clock
    // the picture runs on.
    struct Rewind {
        double speed;
        std::int64_t fromTicks;
        media::GstRef<GstClock> clock;
        GstClockTime since;
        bool landed = false;          // the unit jumped to is being read
        std::int64_t landedTicks = 0; // its title time
    };

    void Run();
    bool WaitForCommand(std::unique_lock<std::mutex>& lock, int stillSeconds);
    void ReadNext(std::unique_lock<std::mutex>& lock, std::uint8_t* buffer);
    void Handle(int event, std::uint8_t* buffer, Work& work);
    void Carry(Work& work);
    void ReportChanges(Work& work);
    DvdPlace CurrentPlace() const;
    void Deliver(const std::vector<media::GraphEvent>& events);
    // The backward scan's next jump; at the title's start it plays on at normal speed.
    void RewindStep(std::unique_lock<std::mutex>& lock, std::uint64_t seen);
    // The pipeline's clock; the system clock while the bin has none.
    media::GstRef<GstClock> PictureClock() const;
    // Wakes the reading thread from its waits for a command, a still's end or the scan's next jump.
    void WakeReader();
    void ResetRate();
    // The title time the picture shows in the current title; -1 when it shows another place.
    std::int64_t ShownTicksInTitle() const;
    HResult ChangeRate(std::uint32_t flag, double rate);
    // Sends dvdspu the selected button's highlight when it changed; any thread, without the lock.
    void RefreshHighlight();
    void Emit(Work& work, long code, std::int64_t first, std::int64_t second = 0);

    // Command helpers: checks the prohibition flag, runs the libdvdnav call, starts the flush.
    HResult Command(std::uint32_t flag, const std::function<dvdnav_status_t()>& call);
    HResult ButtonCommand(const std::function<dvdnav_status_t(pci_t*)>& call);
    HResult SetStreams(int audio, int subpicture, bool shown);
    HResult NeedsDisc() const;
    HResult NeedsTitleDomain() const;
    bool InMenu() const;
    DvdDomain Domain() const;
    std::uint32_t Prohibited() const;
    std::uint32_t TimeCodeFlags() const;
    int CurrentTitleSet() const;
    DvdTimeCode TimeCodeFromTicks(std::int64_t ticks) const;
    std::int64_t TicksFromTimeCode(const DvdTimeCode& time) const;
    int ActiveSubpicture() const;
    void Woken();
    void SearchPendingTime(Work& work);
    // A saved place waiting for its title to be entered: the time or block search, streams, angle.
    void ApplyPendingState(Work& work);
    void StartFlush();
    int ChoosePhysical(const dvdnav_spu_stream_change_event_t& change) const;

    GstBin* bin_; // the element the navigator belongs to
    DvdStreamRouter router_;
    DvdPresentation presentation_;
    std::mutex listenerMutex_; // apart from the navigator's lock: sinks' threads deliver events too
    DvdEventListener listener_;

    std::mutex highlightMutex_; // keeps highlight updates in the order they were worked out
    mutable std::mutex mutex_;  // libdvdnav and everything below
    std::condition_variable commanded_;
    std::uint64_t commands_ = 0;
    dvdnav_t* nav_ = nullptr;
    std::unique_ptr<DvdDiscInfo> disc_;
    std::string path_;
    DvdVideoPreference preference_ = DvdVideoPreference::ContentDefault;
    bool stopping_ = false;
    bool flushing_ = false; // a flush was started for a jump; the next read ends it
    bool inStill_ = false;
    bool ended_ = false; // the disc stopped or failed; the thread waits for a command
    bool running_ = false;
    // A time jump into another title waits until libdvdnav entered that title.
    struct PendingTimeSearch {
        std::uint32_t title;
        std::int64_t ticks;
    };
    std::optional<PendingTimeSearch> pendingTime_;
    // A restore waits for its title; `restores_` counts those applied, for the waiting command.
    std::optional<DvdState> pendingState_;
    std::uint64_t restores_ = 0;
    bool restoreSucceeded_ = false; // the last restore found its time or block
    std::condition_variable restored_;

    std::optional<Rewind> rewind_;
    GstClockID rewindWait_ = nullptr; // the scan's wait for its next jump, while the reading thread waits
    std::atomic<std::uint64_t> landedMarker_{0};

    int titleSet_ = 0;
    Reported reported_;
    std::thread thread_;
};

} // namespace plat::dvd
