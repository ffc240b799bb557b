// The transport's state machine, seeks and time limits against recording playback controls, with a
// manual timer host for the position clock and the relative-seek debounce.
#include "core/src/engine/TEngineTransport.h"
#include "core/include/VokradNotifications.h"
#include "core/include/VokradOrders.h"
#include "core/tests/engine/FakeMediaControl.h"
#include "platform/win/Message.h"
#include "platform/win/Timer.h"
#include "platform/win/Window.h"
#include "platform/win/tests/TestWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

namespace win = plat::win;

namespace {

using Report = std::tuple<std::uint32_t, std::uint32_t, std::uint32_t>;

class TEngineTransportTest : public testing::Test {
protected:
    void SetUp() override {
        win::InstallTimerHost(&timers_);
        context_.window = window_.hwnd();
        context_.control = &control_;
        context_.located.seeking = true;
        context_.located.basicAudio = true;
        context_.now = [this] { return control_.Now(); };
        context_.callbacks.status = [this](auto kind, auto v1, auto v2) {
            statuses_.emplace_back(kind, v1, v2);
        };
        context_.callbacks.event = [this](auto kind, auto v1, auto v2) {
            events_.emplace_back(kind, v1, v2);
        };
        context_.callbacks.error = [this](auto kind, auto v1, auto v2) {
            errors_.emplace_back(kind, v1, v2);
        };
    }
    void TearDown() override { win::InstallTimerHost(nullptr); }

    void StartIn(TPlayState state) {
        context_.playState = state;
        statuses_.clear();
        events_.clear();
        control_.calls.clear();
    }
    // Moves the manual timers on and delivers their messages.
    void Elapse(std::uint64_t ms) {
        timers_.Advance(ms);
        win::DispatchPending();
    }

    win::ManualTimerHost timers_;
    FakeMediaControl control_;
    TEngineContext context_;
    int builds_ = 0;
    TEngineDvd dvd_{context_};
    TEngineTransport transport_{context_,
                                dvd_,
                                [this] {
                                    ++builds_;
                                    context_.playState = TPlayState::Stopped;
                                    return true;
                                },
                                [this] {
                                    context_.playState = TPlayState::NoGraph;
                                    context_.control = nullptr;
                                }};
    win::testing::TestWindow window_{
        [this](win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
            if (msg == win::WM_TIMER && wParam == TEngineTransport::kSeekTimer) {
                transport_.SeekToPending();
            } else if (msg == win::WM_TIMER && wParam == TEngineTransport::kPositionTimer) {
                transport_.PostPosition();
            }
            return win::DefWindowProc(hwnd, msg, wParam, lParam);
        }};
    std::vector<Report> statuses_;
    std::vector<Report> events_;
    std::vector<Report> errors_;
};

struct TransitionCase {
    const char* name;
    TPlayState from;
    bool (*operation)(TEngineTransport&);
    bool answer;
    TPlayState to;
    std::vector<std::string> calls;
};

const TransitionCase kTransitions[] = {
    {"pause toggle runs a paused graph",
     TPlayState::Paused,
     [](TEngineTransport& t) { return t.TogglePause(); },
     true,
     TPlayState::Running,
     {"Run"}},
    {"pause toggle pauses a running graph",
     TPlayState::Running,
     [](TEngineTransport& t) { return t.TogglePause(); },
     true,
     TPlayState::Paused,
     {"Pause"}},
    {"pause toggle at a rate resets the rate first",
     TPlayState::Scanning,
     [](TEngineTransport& t) { return t.TogglePause(); },
     true,
     TPlayState::Paused,
     {"SetRate 1.000000", "Pause"}},
    {"pause toggle of a stopped graph fails",
     TPlayState::Stopped,
     [](TEngineTransport& t) { return t.TogglePause(); },
     false,
     TPlayState::Stopped,
     {}},
    {"a rate while paused runs first",
     TPlayState::Paused,
     [](TEngineTransport& t) { return t.SetPlaybackRate(1.0); },
     true,
     TPlayState::Scanning,
     {"Run", "SetRate 1.000000"}},
    {"a backward rate plays a file forwards",
     TPlayState::Running,
     [](TEngineTransport& t) { return t.SetPlaybackRate(-2.0); },
     true,
     TPlayState::Scanning,
     {"SetRate 2.000000"}},
    {"a rate of a stopped graph fails",
     TPlayState::Stopped,
     [](TEngineTransport& t) { return t.SetPlaybackRate(2.0); },
     false,
     TPlayState::Stopped,
     {}},
    {"a frame step pauses and steps one frame",
     TPlayState::Running,
     [](TEngineTransport& t) { return t.StepFrames(10); },
     true,
     TPlayState::Paused,
     {"Pause", "Step"}},
    {"a negative frame count is refused",
     TPlayState::Running,
     [](TEngineTransport& t) { return t.StepFrames(-1); },
     false,
     TPlayState::Running,
     {}},
    {"play from stopped runs",
     TPlayState::Stopped,
     [](TEngineTransport& t) { return t.Play(); },
     true,
     TPlayState::Running,
     {"Run"}},
    {"play at a rate resets the rate after running",
     TPlayState::Scanning,
     [](TEngineTransport& t) { return t.Play(); },
     true,
     TPlayState::Running,
     {"Run", "SetRate 1.000000"}},
    {"stop keeping the graph",
     TPlayState::Running,
     [](TEngineTransport& t) { return t.StopPlayback(true); },
     true,
     TPlayState::Stopped,
     {"Stop"}},
    {"stop releases the graph",
     TPlayState::Running,
     [](TEngineTransport& t) { return t.StopPlayback(false); },
     true,
     TPlayState::NoGraph,
     {"Stop"}},
};

TEST_F(TEngineTransportTest, TransitionsFollowTheStateTable) {
    for (const TransitionCase& row : kTransitions) {
        SCOPED_TRACE(row.name);
        context_.control = &control_;
        StartIn(row.from);
        EXPECT_EQ(row.operation(transport_), row.answer);
        EXPECT_EQ(context_.playState, row.to);
        EXPECT_EQ(control_.calls, row.calls);
        if (row.answer && row.from != row.to) {
            EXPECT_NE(std::find(statuses_.begin(), statuses_.end(), Report(kStatusPlayState, 0, 0)),
                      statuses_.end());
        }
    }
}

// A media file's streams are neither told nor touched: playing must not switch a stream group off.
TEST_F(TEngineTransportTest, PlayInMediaModeLeavesTheStreamsAlone) {
    StartIn(TPlayState::Stopped);
    ASSERT_TRUE(transport_.Play());
    EXPECT_EQ(control_.calls, std::vector<std::string>{"Run"});
    for (const auto& [kind, first, second] : statuses_) {
        EXPECT_TRUE(kind != kStatusAudioStream && kind != kStatusSubpicture && kind != kStatusAngle) << kind;
    }
}

TEST_F(TEngineTransportTest, PlayBuildsWithoutAGraphAndAnnouncesTheMedia) {
    StartIn(TPlayState::NoGraph);
    ASSERT_TRUE(transport_.Play());
    EXPECT_EQ(builds_, 1);
    EXPECT_EQ(events_, (std::vector<Report>{{3, 2000, 0}, {0, 1, 1}}));
    EXPECT_NE(std::find(statuses_.begin(), statuses_.end(), Report(kStatusUserOperations, 0xFFF7FED7, 0)),
              statuses_.end());
    EXPECT_TRUE(timers_.IsArmed(window_.hwnd(), TEngineTransport::kPositionTimer));
    EXPECT_EQ(transport_.GetPlayState(), kPlayStateFirstPlay);
    EXPECT_EQ(events_.back(), Report(8, 0, 0));
    EXPECT_EQ(transport_.GetPlayState(), kPlayStatePlaying);
    ASSERT_TRUE(transport_.SetPlaybackRate(2.0));
    EXPECT_EQ(transport_.GetPlayState(), kPlayStateScanning);
    ASSERT_TRUE(transport_.TogglePause());
    EXPECT_EQ(transport_.GetPlayState(), kPlayStatePaused);
}

TEST_F(TEngineTransportTest, ThePositionClockPostsTheTimeEveryPeriod) {
    StartIn(TPlayState::Stopped);
    ASSERT_TRUE(transport_.Play());
    events_.clear();
    control_.positionMs = 1234;
    Elapse(TEngineTransport::kPositionPeriodMs);
    EXPECT_EQ(events_, (std::vector<Report>{{2, 1234, 0}}));
}

TEST_F(TEngineTransportTest, AFailedPositionReadIsNeverReportedAsATime) {
    StartIn(TPlayState::Running);
    control_.positionFails = true;
    std::uint32_t ms = 77;
    std::uint32_t flags = 0;
    EXPECT_FALSE(transport_.GetPosition(ms, flags, nullptr));
    EXPECT_FALSE(transport_.PostPosition());
    EXPECT_FALSE(transport_.SeekRelative(1000));
    EXPECT_TRUE(events_.empty());
}

TEST_F(TEngineTransportTest, WaitingForAStateThatNeverComesEndsAtTheLimit) {
    StartIn(TPlayState::Running);
    control_.stateNeverSettles = true;
    const auto start = control_.Now();
    EXPECT_TRUE(transport_.StopPlayback(true));
    EXPECT_EQ(context_.playState, TPlayState::Stopped);
    const auto waited = control_.Now() - start;
    EXPECT_GE(waited, TStateWait::kLimit);
    EXPECT_LE(waited, TStateWait::kLimit + TStateWait::kPoll);
}

struct RelativeCase {
    const char* name;
    std::int64_t positionMs;
    std::int32_t pending;
    std::vector<std::int32_t> deltas;
    std::int64_t targetMs;
};

const RelativeCase kRelativeSeeks[] = {
    {"a burst accumulates into one seek", 60000, -1, {10000, 10000, 10000}, 90000},
    {"a burst goes on from the furthest target", 61000, 90000, {10000}, 100000},
    {"a backward step starts from the nearer point", 61000, 90000, {-1000}, 60000},
    {"a target before the start clamps to the start", 3000, -1, {-10000}, 0},
    {"a zero step keeps the current position", 5000, 90000, {0}, 5000},
};

TEST_F(TEngineTransportTest, RelativeSeeksAreDebouncedAndNeverBeforeTheStart) {
    for (const RelativeCase& row : kRelativeSeeks) {
        SCOPED_TRACE(row.name);
        StartIn(TPlayState::Running);
        control_.seeks.clear();
        control_.positionMs = row.positionMs;
        context_.pendingSeek = row.pending;
        for (std::int32_t delta : row.deltas) {
            ASSERT_TRUE(transport_.SeekRelative(delta));
            Elapse(TEngineTransport::kSeekDebounceMs - 1);
        }
        EXPECT_TRUE(control_.seeks.empty());
        Elapse(1);
        ASSERT_EQ(control_.seeks.size(), 1u);
        // The debounced seek goes through a time code: whole 40 ms frames.
        EXPECT_EQ(control_.seeks[0], row.targetMs / 40 * 40 * 10000);
        EXPECT_EQ(context_.pendingSeek, TEngineContext::kNoPendingSeek);
    }
}

// Each seek tells the position it reached at once, also while paused, when no period of the position
// clock may come before playback resumes.
TEST_F(TEngineTransportTest, TimeCodesSeekToWholeSecondsAndFortyMillisecondFrames) {
    StartIn(TPlayState::Paused);
    ASSERT_TRUE(transport_.SeekToTimeCode(TEngineTransport::PackTimeCode(3723456, false)));
    ASSERT_TRUE(transport_.SeekToTimeCode(0x0C000000)); // 12 frames
    EXPECT_EQ(control_.seeks, (std::vector<std::int64_t>{3723000LL * 10000, 480LL * 10000}));
    EXPECT_EQ(events_, (std::vector<Report>{{2, 3723000, 0}, {2, 480, 0}}));
    EXPECT_EQ(context_.playState, TPlayState::Paused);
    StartIn(TPlayState::NoGraph);
    EXPECT_FALSE(transport_.SeekToTimeCode(0));
}

TEST_F(TEngineTransportTest, OperationsWithoutSeekingRaiseTheMissingInterfaceError) {
    StartIn(TPlayState::Running);
    context_.located.seeking = false;
    EXPECT_FALSE(transport_.SetPlaybackRate(2.0));
    EXPECT_FALSE(transport_.SeekToTimeCode(0));
    EXPECT_EQ(errors_, (std::vector<Report>{{10, 3, 0}, {10, 10, 0}}));
}

TEST_F(TEngineTransportTest, VolumeNeedsAGraphWithAudio) {
    StartIn(TPlayState::Running);
    EXPECT_TRUE(transport_.SetVolume(-2500));
    EXPECT_EQ(transport_.GetVolume(), -2500);
    context_.located.basicAudio = false;
    EXPECT_FALSE(transport_.SetVolume(0));
    EXPECT_EQ(transport_.GetVolume(), 0);
}

TEST_F(TEngineTransportTest, TheEndOfTheMediaStopsAtTheStartReadyToPlayAgain) {
    StartIn(TPlayState::Running);
    control_.positionMs = 2000;
    transport_.EndOfStream();
    EXPECT_EQ(context_.playState, TPlayState::Stopped);
    EXPECT_EQ(statuses_, (std::vector<Report>{{kStatusPlayState, 0, 0}, {kStatusEndOfMedia, 0, 0}}));
    EXPECT_EQ(transport_.GetPlayState(), kPlayStateStopped);
    EXPECT_FALSE(timers_.IsArmed(window_.hwnd(), TEngineTransport::kPositionTimer));
    ASSERT_TRUE(transport_.Play());
    EXPECT_EQ(control_.calls, (std::vector<std::string>{"Stop", "Run"}));
    EXPECT_EQ(control_.positionMs, 0);
}

} // namespace
