#pragma once
// A test pipeline around the navigator element: its video converted to RGBx into an appsink, its
// audio to 48 kHz mono into another, both in time with the clock; navigator events into a queue and,
// with the clock time they came at, into a history. On the manual clock the pipeline runs as fast as
// the machine lets it, and clock times say what a viewer would have seen when; the audio is then
// taken as it comes, so that the picture alone paces the clock.
#include "platform/dvd/DvdNavigatorElement.h"
#include "platform/media/GraphEventQueue.h"
#include "platform/media/GstRef.h"
#include "platform/media/StrandedSinkRepair.h"
#include "platform/testing/ManualPipelineClock.h"

#include <gst/app/gstappsink.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace plat::dvd::test {

using namespace std::chrono_literals;
// Longer in sanitizer builds, which run the pipelines slower.
constexpr auto kWait = 5s * TOVRIN_TEST_SLOWDOWN;

inline std::string Fixture(const std::string& name) {
    return std::string(DVD_FIXTURES) + "/" + name;
}

struct Frame {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels; // RGBx rows
    std::uint64_t time = 0;           // the buffer timestamp

    // Red, green and blue at a point.
    std::uint32_t Rgb(int x, int y) const;
    int Brightness(int x, int y) const;
};

using FrameTest = std::function<bool(const Frame&)>;

// A navigator event, the pipeline clock's time when it came and its place among all events told (a
// manual clock may tell several at one time).
struct Told {
    media::GraphEvent event;
    GstClockTime at;
    std::size_t order;
};

enum class PipelineClock { System, Manual };

class DvdPlayback {
public:
    explicit DvdPlayback(PipelineClock clock = PipelineClock::System);
    ~DvdPlayback();

    DvdNavigator& Navigator() { return *navigator_; }
    media::HResult Open(const std::string& disc) { return navigator_->SetDvdDirectory(disc); }
    // PLAYING and waits for the change to complete; false on an error.
    bool Play();
    // The next event of the code, dropping those before it.
    std::optional<media::GraphEvent> WaitFor(long code, std::chrono::milliseconds timeout = kWait);
    // The next event of the code with that first value.
    bool WaitFor(long code, std::int64_t first, std::chrono::milliseconds timeout = kWait);
    // Drops the frames shown so far and hands back the next one.
    std::optional<Frame> NextFrame(std::chrono::milliseconds timeout = kWait);
    // Looks for frames that the tests accept among those shown from now on; the tests see every frame,
    // on the streaming thread.
    void WatchShown(std::vector<FrameTest> tests);
    // For each test watched, the clock time at which the first frame it accepts was shown; waits until
    // each has met one (nothing for those that met none within the time).
    std::vector<std::optional<GstClockTime>> WhenShown(std::chrono::milliseconds timeout = kWait);
    // The events of the code told so far, with when they came.
    std::vector<Told> History(long code) const;
    // How many events were told so far.
    std::size_t ToldCount() const;
    // On the manual clock: stops the clock as the next event the test accepts is told, so that the test
    // acts at that clock time (while the pipeline goes on to what is due then), until released.
    void HoldClockWhenTold(std::function<bool(const media::GraphEvent&)> accepts);
    void ReleaseClock();
    // The pipeline clock's time.
    GstClockTime Now() const { return gst_clock_get_time(clock_.get()); }
    // Measures the tone of the audio that comes next (about a fifth of a second), in Hz.
    double NextToneFrequency();
    GstElement* Pipeline() const { return pipeline_.get(); }

private:
    // A frame the sink shows: handed to the tests waited on.
    void OnShown();
    static GstFlowReturn ShownThunk(GstAppSink*, gpointer self);
    static GstBusSyncReply OnBusMessage(GstBus*, GstMessage* message, gpointer repair);

    std::unique_ptr<media::ManualPipelineClock> manualClock_;
    media::GstRef<GstClock> clock_;
    media::ElementRef pipeline_;
    std::unique_ptr<media::StrandedSinkRepair> repair_;
    GstElement* element_ = nullptr;
    GstElement* videoSink_ = nullptr;
    GstElement* audioSink_ = nullptr;
    DvdNavigator* navigator_ = nullptr;
    media::GraphEventQueue events_;
    mutable std::mutex historyMutex_;
    std::vector<Told> history_;
    std::function<bool(const media::GraphEvent&)> holdWhen_;
    // The frames waited for: the tests and when each first accepted a frame shown.
    std::mutex shownMutex_;
    std::condition_variable shownChanged_;
    std::vector<FrameTest> awaited_;
    std::vector<std::optional<GstClockTime>> shownAt_;
};

} // namespace plat::dvd::test
