#pragma once
// The subtitle clock of one player: a thread that advances a millisecond time from the performance
// counter every 5 ms while playback runs (every 20 ms it only looks whether it should), and reports
// the time, rounded down to 10 ms, to its player. Everything it keeps is guarded by the player's
// subtitle lock, which the player creates before the clock and shares with it, so that a clock whose
// thread outlives its player still has its lock.
//
// Report rules: a report goes out when the rounded time moved forward by less than 3000 ms. A
// backward step of up to 3000 ms is ignored; a jump of 3000 ms or more either way is taken without a
// report, and the next step that moves the time reports. When the counter and the tick count disagree
// by more than 500 ms over a step, the step does not advance and both references start anew.
#include "core/src/TClockSource.h"
#include "core/src/framework/TCoreThread.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

class TSubTimer : public TCoreThread {
public:
    // Receives the rounded time; called on the thread that steps, under the subtitle lock.
    using TReport = std::function<void(std::int32_t time)>;

    // Step arguments besides a time in ms.
    static constexpr std::int32_t kAdvance = -1;
    static constexpr std::int32_t kResetReference = -2;

    static constexpr std::chrono::milliseconds kCountingPause{5};
    static constexpr std::chrono::milliseconds kIdlePause{20};
    static constexpr std::chrono::milliseconds kStopTimeout{10000};
    static constexpr std::int64_t kCrossCheckMs = 500;
    static constexpr std::int64_t kJumpMs = 3000;
    static constexpr std::int32_t kRoundingMs = 10;

    // The thread is created suspended (Resume starts it), not counting, at time 0.
    TSubTimer(TCoreObject* owner, std::shared_ptr<std::recursive_mutex> lock,
              std::shared_ptr<TClockSource> clocks, TReport report);
    ~TSubTimer() override;

    // Counting on or off. Switching it on starts the references anew, so that time spent stopped is not
    // counted; switching it off starts them anew too.
    void SetCounting(bool counting);
    bool IsCounting() const { return counting_; }

    // One clock step: kAdvance moves the time on by the counter while counting (nothing otherwise), a
    // time of 0 or more sets the clock to it, kResetReference only starts the references anew.
    void Step(std::int32_t time);

    // The position the engine reports. While counting it is a step with the time. A clock that does
    // not count has no next step to report a jump, nor a run that a small step back could disturb: it
    // takes the time and reports the rounded time at once whenever it differs from the last report (a
    // seek or a frame step while paused).
    void SetPosition(std::int32_t time);

    // The clock's time in ms.
    std::int32_t GetTime() const;

    // Ends the loop and waits up to `timeout` for the thread to finish; true when it has (or never
    // started). No step starts once this was called.
    bool Stop(std::chrono::milliseconds timeout);
    // Blocks until Stop() was called, for code that must know that a stop has begun.
    void AwaitStop() const { keepRunning_.wait(true); }

    // Stops the clock and deletes it, joined. When its thread does not finish in time the object is
    // kept for that thread instead (answered, and never freed by the player): this waits until no step
    // runs, after which the thread touches nothing but the clock, its lock and its clock source.
    static TSubTimer* Dispose(std::unique_ptr<TSubTimer> clock,
                              std::chrono::milliseconds timeout = kStopTimeout);

protected:
    bool Run() override;

private:
    void ResetReference();
    // One counting step of the thread under the lock; false once the clock stops.
    bool StepFromThread();
    // Milliseconds of `counts` of the counter, cut toward zero.
    std::int64_t CounterMs(std::int64_t counts) const;
    // Counts that make up `ms` whole milliseconds.
    std::int64_t MsCounts(std::int64_t ms) const;
    void ReportRounded(std::int32_t rounded);
    void Pause(std::chrono::milliseconds duration);

    const std::shared_ptr<std::recursive_mutex> lock_;
    const std::shared_ptr<TClockSource> clocks_;
    const TReport report_;

    std::atomic<bool> keepRunning_{true};
    std::atomic<bool> counting_{false};

    // Guarded by the subtitle lock.
    std::int32_t time_ = 0;
    std::int64_t frequency_ = 0;
    std::int64_t referenceCounter_ = 0;
    std::uint32_t referenceTick_ = 0;
    std::int32_t lastReported_ = 0;

    // Wakes the thread from its pause and the stopper when the thread finished.
    std::mutex signalMutex_;
    std::condition_variable signal_;
    bool finished_ = false;
};
