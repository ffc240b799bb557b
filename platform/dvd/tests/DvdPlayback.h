#pragma once
// A test pipeline around the navigator element: its video converted to RGBx into an appsink, its
// audio to 48 kHz mono into another, both in time with the clock; navigator events into a queue and,
// with the time they came, into a history.
#include "platform/dvd/DvdNavigatorElement.h"
#include "platform/media/GraphEventQueue.h"
#include "platform/media/GstRef.h"

#include <chrono>
#include <cstdint>
#include <functional>
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

using Clock = std::chrono::steady_clock;

// A navigator event and when it came.
struct Told {
    media::GraphEvent event;
    Clock::time_point at;
};

class DvdPlayback {
public:
    DvdPlayback();
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
    // When the first frame shown from now on that the predicate accepts came; nothing within the time.
    std::optional<Clock::time_point> WhenShown(const std::function<bool(const Frame&)>& accepts,
                                               std::chrono::milliseconds timeout = kWait);
    // The events of the code told so far, with when they came.
    std::vector<Told> History(long code) const;
    // Measures the tone of the audio that comes next (about a fifth of a second), in Hz.
    double NextToneFrequency();
    GstElement* Pipeline() const { return pipeline_.get(); }

private:
    media::ElementRef pipeline_;
    GstElement* element_ = nullptr;
    GstElement* videoSink_ = nullptr;
    GstElement* audioSink_ = nullptr;
    DvdNavigator* navigator_ = nullptr;
    media::GraphEventQueue events_;
    mutable std::mutex historyMutex_;
    std::vector<Told> history_;
};

} // namespace plat::dvd::test
