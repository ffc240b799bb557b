#pragma once
// What the picture shows of the disc. The navigator reads ahead of the picture, so it does not report
// its place itself: it queues a marker of the place (domain, title, chapter, title time of the video
// unit that follows) in the video stream ahead of that place's data. The marker reaches the video sink
// after the frames before it were shown and just before the first frame of the place. There the
// domain, title and chapter changes are reported, and the title time of each frame is counted on from
// the marker with the frame's timestamp, so that the time events keep pace with the picture.
#include "platform/dvd/DvdTypes.h"
#include "platform/media/GraphEvent.h"
#include "platform/media/GstRef.h"

#include <gst/gst.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace plat::dvd {

struct DvdPlace {
    DvdDomain domain = DvdDomain::Stop;
    std::uint32_t title = 0;   // 0 outside the title domain
    std::uint32_t chapter = 0; // 0 outside the title domain
    std::int64_t ticks = -1;   // title time of the data that follows; -1 outside the title domain
    std::uint32_t timeCodeFlags = kTimeCode30Fps;
    bool operator==(const DvdPlace&) const = default;
};

class DvdPresentation {
public:
    // Receives the domain, title, chapter and time events when the frame they belong to is shown.
    using Reporter = std::function<void(const std::vector<media::GraphEvent>&)>;

    explicit DvdPresentation(Reporter report);
    ~DvdPresentation();
    DvdPresentation(const DvdPresentation&) = delete;
    DvdPresentation& operator=(const DvdPresentation&) = delete;

    // The marker to queue in the video stream ahead of the place's data, and its number.
    GstEvent* Marker(const DvdPlace& place, std::uint64_t* number = nullptr);
    static bool IsMarker(GstEvent* event);
    // A copy of the marker that names the timestamp of the first picture of the place: it is shown
    // with the first frame at or after that time.
    static GstEvent* Stamped(GstEvent* marker, GstClockTime timestamp);
    static bool IsStamped(GstEvent* event);
    // A place no data follows (the disc stopped): shown once the frames queued have been shown (no
    // frame came for a moment, or a flush dropped them), or at once when the picture is not running.
    void ShowAtEnd(const DvdPlace& place);
    // A new disc: nothing is shown yet.
    void Reset();
    void SetTimeEvents(bool on);

    // Follows the stream from the navigator's video output to the sink at its end and watches it
    // there; without a sink downstream, at the output itself.
    void Attach(GstPad* videoOutput);
    void Detach();

    // The place of the frame shown last, its ticks counted to that frame.
    DvdPlace Shown() const;
    // Waits until the marker was shown, a flush dropped what was queued, or waits are cancelled (at
    // most a few seconds: a paused picture may hold it).
    void WaitShown(std::uint64_t marker);
    void CancelWaits();
    void ResumeWaits();

    // The pad at the end of the stream that leaves the pad: the input of the sink it reaches through
    // elements with one output each and through bins; null when the pad is not linked.
    static media::PadRef FindSinkInput(GstPad* output);

private:
    // How far the frames got: the place with its time, the second last told, the marker last met.
    struct Progress {
        DvdPlace place;
        std::uint32_t second = ~0u;
        std::uint64_t marker = 0;
    };
    // What a frame shows, told when the sink shows it: at once when it is due or the sink prerolls,
    // else when the clock reaches the frame's time. A show without a frame looks whether the data has
    // ended.
    struct Show;
    // Lets clock callbacks that come late find the presentation gone.
    struct Lifeline {
        std::mutex mutex;
        DvdPresentation* owner;
    };

    static GstPadProbeReturn ProbeThunk(GstPad* pad, GstPadProbeInfo* info, gpointer self);
    static gboolean ClockThunk(GstClock*, GstClockTime, GstClockID, gpointer show);
    // Has the clock's thread call back with the show when the show's time comes.
    static void WaitForClock(const std::shared_ptr<Show>& show);
    void OnMarker(const GstStructure& marker);
    void OnFrame(GstClockTime timestamp);
    void OnSegment(GstEvent* event);
    void OnFlushed();
    void OnClock(const std::shared_ptr<Show>& show);
    void OnEndCheck(const std::shared_ptr<Show>& check);
    // Looks a moment later whether frames still come; shows the end place at once when the picture
    // does not run.
    std::vector<media::GraphEvent> ArmEndCheckLocked();
    std::vector<media::GraphEvent> ShowEndLocked();
    // Adds the events of what changes from the progress so far; the lock is held.
    void AdvanceLocked(const DvdPlace& place, std::vector<media::GraphEvent>& events);
    void CountTimeLocked(std::int64_t ticks, std::vector<media::GraphEvent>& events);
    // The clock time the sink shows the frame at; nothing when it shows it now.
    std::optional<GstClockTime> DueTime(GstClockTime timestamp, GstClock** clock) const;
    // The running sink's clock (a new reference); null when the sink does not run in step with one.
    GstClock* RunningClock() const;
    // Shows what waits and the new show at once; the events to deliver, in order.
    std::vector<media::GraphEvent> ShowPendingLocked(std::shared_ptr<Show> last);
    void CancelPendingLocked();
    void Deliver(const std::vector<media::GraphEvent>& events) const;

    Reporter report_;
    std::shared_ptr<Lifeline> lifeline_;
    mutable std::mutex mutex_;
    std::uint64_t made_ = 0; // markers made so far
    Progress next_;          // of the frames that reached the sink
    Progress shown_;         // of the frames shown
    struct Marked {
        DvdPlace place;
        std::uint64_t marker;
        GstClockTime from; // the first frame's timestamp; none: the next frame
    };
    std::deque<Marked> marked_;
    std::int64_t anchorTicks_ = -1;
    std::optional<GstClockTime> anchorTimestamp_; // of the first frame after the marker
    GstSegment segment_{};
    std::deque<std::shared_ptr<Show>> pending_;
    std::optional<std::pair<DvdPlace, std::uint64_t>> end_; // the place after the last frame
    std::shared_ptr<Show> endCheck_;
    std::uint64_t frames_ = 0; // frames that reached the sink
    bool timeEvents_ = true;
    std::condition_variable changed_; // a marker was shown or a flush passed
    std::uint64_t flushes_ = 0;
    bool cancelled_ = false;

    std::mutex attachMutex_;
    media::PadRef watched_;
    media::ElementRef sink_;
    gulong probe_ = 0;
};

} // namespace plat::dvd
