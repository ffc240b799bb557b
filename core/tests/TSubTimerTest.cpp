#include "core/src/TSubTimer.h"

#include "core/tests/ManualClocks.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <future>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

// One thing a test does to the clock.
struct Op {
    enum Kind {
        Set,         // Step(a): a time event of a ms
        Position,    // SetPosition(a): the engine's position of a ms
        Count,       // both clocks move by a µs, then Step(kAdvance)
        Apart,       // the counter moves by a ms and the tick count by b ms, then Step(kAdvance)
        SetApart,    // the counter moves by a ms and the tick count by b ms, then Step(c)
        Idle,        // both clocks move by a ms without a step
        Counting,    // SetCounting(a != 0)
        Reset,       // Step(kResetReference)
        CounterFails // the counter fails (a != 0) or works again
    };
    Kind kind;
    std::int64_t a = 0;
    std::int64_t b = 0;
    std::int32_t c = 0;
};

struct StepCase {
    std::string name;
    std::vector<Op> ops;
    std::int32_t time;
    std::vector<std::int32_t> reports;
};

class TSubTimerStepTest : public testing::TestWithParam<StepCase> {
protected:
    void Run(const Op& op) {
        switch (op.kind) {
        case Op::Set:
            clock_.Step(static_cast<std::int32_t>(op.a));
            break;
        case Op::Position:
            clock_.SetPosition(static_cast<std::int32_t>(op.a));
            break;
        case Op::Count:
            clocks_->AdvanceApart(op.a * ManualClocks::kCountsPerMs / 1000, 0);
            clocks_->AdvanceApart(0, (counted_ + op.a) / 1000 - counted_ / 1000); // whole ms of the tick
            counted_ += op.a;
            clock_.Step(TSubTimer::kAdvance);
            break;
        case Op::Apart:
            clocks_->AdvanceApart(op.a * ManualClocks::kCountsPerMs, op.b);
            clock_.Step(TSubTimer::kAdvance);
            break;
        case Op::SetApart:
            clocks_->AdvanceApart(op.a * ManualClocks::kCountsPerMs, op.b);
            clock_.Step(op.c);
            break;
        case Op::Idle:
            clocks_->Advance(op.a);
            break;
        case Op::Counting:
            clock_.SetCounting(op.a != 0);
            break;
        case Op::Reset:
            clock_.Step(TSubTimer::kResetReference);
            break;
        case Op::CounterFails:
            clocks_->counterFails = op.a != 0;
            break;
        }
    }

    std::shared_ptr<ManualClocks> clocks_ = std::make_shared<ManualClocks>();
    std::vector<std::int32_t> reports_;
    std::int64_t counted_ = 0; // µs moved by Count
    TSubTimer clock_{nullptr, std::make_shared<std::recursive_mutex>(), clocks_,
                     [this](std::int32_t time) { reports_.push_back(time); }};
};

TEST_P(TSubTimerStepTest, TimeAndReportsFollowTheRules) {
    for (const Op& op : GetParam().ops) {
        Run(op);
    }
    EXPECT_EQ(clock_.GetTime(), GetParam().time);
    EXPECT_EQ(reports_, GetParam().reports);
}

constexpr Op On{Op::Counting, 1};
constexpr Op Off{Op::Counting, 0};
constexpr Op Set(std::int64_t ms) {
    return {Op::Set, ms};
}
constexpr Op Position(std::int64_t ms) {
    return {Op::Position, ms};
}
constexpr Op CountMs(std::int64_t ms) {
    return {Op::Count, ms * 1000};
}

INSTANTIATE_TEST_SUITE_P(
    Rules, TSubTimerStepTest,
    testing::Values(
        StepCase{"TimeEventReportsTheRoundedTimeWithin3000", {Set(62440), Set(65432)}, 65432, {65430}},
        StepCase{"MoveOfExactly3000IsAJumpReportedByTheNextMove",
                 {Set(62430), Set(65432), Set(65442)},
                 65442,
                 {65440}},
        StepCase{"ForwardUnder3000IsReportedAtOnce", {On, Set(1000), CountMs(2990)}, 3990, {1000, 3990}},
        StepCase{"SeekWhileCountingIsReportedOneStepLater",
                 {On, CountMs(10), Set(5000), CountMs(10)},
                 5010,
                 {10, 5010}},
        StepCase{
            "BackwardUpTo3000IsNeverReported", {Set(5000), Set(2000), Set(4990), Set(5010)}, 5010, {5010}},
        StepCase{"BackwardOver3000IsReportedOneStepLater", {Set(5000), Set(1999), Set(2000)}, 2000, {2000}},
        StepCase{"ReportsAreRoundedDownTo10", {Set(1009), Set(1019), Set(1020)}, 1020, {1000, 1010, 1020}},
        StepCase{"SameRoundedTimeIsNotReportedAgain", {Set(1001), Set(1009)}, 1009, {1000}},
        StepCase{"StoppedClockDoesNotAdvance", {Set(1234), Op{Op::Idle, 500}, CountMs(500)}, 1234, {1230}},
        StepCase{"CountingAdvancesByTheCounter", {On, CountMs(5), CountMs(5), CountMs(7)}, 17, {10}},
        StepCase{"FractionsOfAMillisecondCarryOver",
                 {On, Op{Op::Count, 600}, Op{Op::Count, 600}, Op{Op::Count, 600}, Op{Op::Count, 600},
                  Op{Op::Count, 600}, Op{Op::Count, 600}, Op{Op::Count, 600}, Op{Op::Count, 600},
                  Op{Op::Count, 600}, Op{Op::Count, 600}},
                 6,
                 {}},
        StepCase{"CounterAndTickDisagreeingOver500DoNotMoveTheClockAndStartAnew",
                 {On, CountMs(100), Op{Op::Apart, 1000, 499}, CountMs(10)},
                 110,
                 {100, 110}},
        StepCase{"CounterAndTickDisagreeingBy500StillCount",
                 {On, CountMs(100), Op{Op::Apart, 1000, 500}},
                 1100,
                 {100, 1100}},
        StepCase{"TimeEventInAStepThatFailsTheCrossCheckIsDropped",
                 {On, CountMs(100), Op{Op::SetApart, 1000, 0, 7000}},
                 100,
                 {100}},
        StepCase{"TimeSpentStoppedIsNotCounted",
                 {On, CountMs(100), Off, Op{Op::Idle, 10000}, On, CountMs(10)},
                 110,
                 {100, 110}},
        StepCase{
            "ResetStartsTheReferencesAnew", {On, Op{Op::Idle, 50}, Op{Op::Reset}, CountMs(10)}, 10, {10}},
        // Positions while paused: nothing would report a jump later, so every move reports at once.
        StepCase{"PausedSeeksEitherWayAreReportedAtOnce",
                 {Position(1500), Position(5000), Position(2000), Position(1000), Position(1009)},
                 1009,
                 {1500, 5000, 2000, 1000}},
        StepCase{
            "PausedPositionFollowsACountedTimeBack", {On, CountMs(120), Off, Position(95)}, 95, {120, 90}},
        StepCase{"PositionWhileCountingKeepsTheStepRules",
                 {On, CountMs(10), Position(5000), Position(4000), CountMs(10)},
                 4010,
                 {10}},
        StepCase{"FailingCounterNeverMovesTheClock",
                 {On, CountMs(100), Op{Op::CounterFails, 1}, CountMs(10), Op{Op::CounterFails, 0},
                  CountMs(10), CountMs(10)},
                 110,
                 {100, 110}}),
    [](const testing::TestParamInfo<StepCase>& info) { return info.param.name; });

TEST(TSubTimerTest, FailingFrequencyKeepsTheClockStill) {
    auto clocks = std::make_shared<ManualClocks>();
    clocks->frequencyFails = true;
    TSubTimer clock(nullptr, std::make_shared<std::recursive_mutex>(), clocks, {});
    clock.SetCounting(true);
    clocks->Advance(100);
    clock.Step(TSubTimer::kAdvance);
    EXPECT_EQ(clock.GetTime(), 0);
}

// The thread of a clock with manual clocks, and a report log a test can wait on.
class TSubTimerThreadTest : public testing::Test {
protected:
    void OnReport(std::int32_t time) {
        std::unique_lock lock(mutex_);
        reports_.push_back(time);
        changed_.notify_all();
        if (holdReports_) {
            inReport_ = true;
            changed_.notify_all();
            lock.unlock();
            raw_->AwaitStop(); // a stop begins while this report runs
        }
    }

    // Waits until `count` reports arrived; the deadline only guards against a lost report.
    bool WaitForReports(std::size_t count) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, 30s, [&] { return reports_.size() >= count; });
    }

    std::vector<std::int32_t> Reports() {
        const std::lock_guard lock(mutex_);
        return reports_;
    }

    std::shared_ptr<ManualClocks> clocks_ = std::make_shared<ManualClocks>();
    std::shared_ptr<std::recursive_mutex> subtitleLock_ = std::make_shared<std::recursive_mutex>();
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::int32_t> reports_;
    bool holdReports_ = false;
    bool inReport_ = false;
    std::unique_ptr<TSubTimer> clock_ = std::make_unique<TSubTimer>(
        nullptr, subtitleLock_, clocks_, [this](std::int32_t time) { OnReport(time); });
    TSubTimer* const raw_ = clock_.get();
};

TEST_F(TSubTimerThreadTest, ThreadCountsIn10MsReportsAndStops) {
    ASSERT_TRUE(clock_->Resume());
    clock_->SetCounting(true);
    for (std::int32_t i = 1; i <= 5; ++i) {
        clocks_->Advance(10);
        ASSERT_TRUE(WaitForReports(static_cast<std::size_t>(i)));
    }
    EXPECT_EQ(TSubTimer::Dispose(std::move(clock_)), nullptr);
    clocks_->Advance(10);
    EXPECT_EQ(Reports(), (std::vector<std::int32_t>{10, 20, 30, 40, 50}));
}

TEST_F(TSubTimerThreadTest, TeardownDuringAReportWaitsForItAndNothingFollows) {
    holdReports_ = true;
    ASSERT_TRUE(clock_->Resume());
    clock_->SetCounting(true);
    clocks_->Advance(10);
    {
        std::unique_lock lock(mutex_);
        ASSERT_TRUE(changed_.wait_for(lock, 30s, [&] { return inReport_; }));
    }
    // The thread sits in its report, under the subtitle lock, until the stop begins.
    EXPECT_FALSE(subtitleLock_->try_lock());
    EXPECT_EQ(TSubTimer::Dispose(std::move(clock_)), nullptr);
    EXPECT_TRUE(subtitleLock_->try_lock());
    subtitleLock_->unlock();
    clocks_->Advance(10);
    EXPECT_EQ(Reports(), (std::vector<std::int32_t>{10}));
}

TEST_F(TSubTimerThreadTest, StopBeforeResumeReturnsAtOnce) {
    EXPECT_TRUE(clock_->Stop(0ms));
}

// A thread body that ends only when the test lets it, as a clock thread that is stuck.
class TStuckClock : public TSubTimer {
public:
    using TSubTimer::TSubTimer;
    ~TStuckClock() override { Join(); }
    std::promise<void> release;

protected:
    bool Run() override {
        release.get_future().wait();
        return true;
    }
};

TEST(TSubTimerTest, ClockWhoseThreadDoesNotFinishIsKeptNotDeleted) {
    auto lock = std::make_shared<std::recursive_mutex>();
    auto stuck =
        std::make_unique<TStuckClock>(nullptr, lock, std::make_shared<ManualClocks>(), TSubTimer::TReport{});
    TStuckClock* const raw = stuck.get();
    ASSERT_TRUE(stuck->Resume());
    EXPECT_FALSE(stuck->Stop(1ms));
    TSubTimer* const kept = TSubTimer::Dispose(std::move(stuck), 1ms);
    EXPECT_EQ(kept, raw);
    raw->release.set_value();
    delete kept; // the test reclaims what the player leaves to the thread
}

} // namespace
