// The hub as the programs run it: the built core loaded through the binding by the main control, the
// player created for the hub's hidden window, orders sent through TPlayerObjects, then everything
// freed and unloaded in order. Without a graph description the core's engine builds an empty graph,
// which plays and stops like any other.
#include "core/include/VokradNotifications.h"
#include "platform/win/Window.h"
#include "player/model/binding/TMainControl.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/tests/EventRecorder.h"
#include "player/model/tests/PlayerTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

namespace {

namespace win = plat::win;

class TPlayControlHost : public testing::Test {
protected:
    TPlayControlHost() {
        main_.Start();
        ErrorControl()->AddListener(&events_, 1, &TEventRecorder::Callback);
        hub_ = std::make_unique<TPlayControl>();
        hub_->AddListener(&events_, 1, &TEventRecorder::Callback);
    }
    ~TPlayControlHost() override {
        hub_->DestroyPlayer();
        EXPECT_FALSE(hub_->HasInstance());
        hub_.reset();
        main_.Stop();
        EXPECT_FALSE(SendToCore()->IsLoaded());
    }

    TProgramFolderScope folder_{DistFolder()};
    TPlayerGlobalsScope globals_;
    TEventRecorder events_;
    TMainControl main_;
    std::unique_ptr<TPlayControl> hub_;
};

const TRecordedEvent kNoInstance{kEventError, 0, 0, 0, u"::PC::INST:: No Player2 Object Instance Created"};

TEST_F(TPlayControlHost, ThePlayerIsCreatedForTheHiddenWindow) {
    ASSERT_TRUE(SendToCore()->IsLoaded());
    EXPECT_EQ(win::FindWindow(TPlayControl::kClassName, ""), hub_->Window());
    ASSERT_EQ(hub_->CreatePlayer(), 0);
    EXPECT_TRUE(hub_->HasInstance());
    EXPECT_EQ(hub_->ClientWindow(), hub_->Window());
}

TEST_F(TPlayControlHost, OrdersReachTheCore) {
    ASSERT_EQ(hub_->CreatePlayer(), 0);
    hub_->SetScanSpeedCount(2);
    hub_->SetScanSpeed(1, 2.0);
    struct Case {
        const char* operation;
        std::function<int32_t()> call;
        int32_t answer;
    };
    const Case cases[] = {
        {"GetPlayState", [&] { return static_cast<int32_t>(hub_->GetPlayState()); }, 4},
        {"GetTimeCode", [&] { return hub_->GetTimeCode(); }, 0},
        {"SetStyleOverride", [&] { return hub_->SetStyleOverride(2, 1, -1); }, 0},
        {"LoadGraphScript .grf", [&] { return hub_->LoadGraphScript(u"/nowhere/graph.grf"); }, 0},
        {"SetProfileTitle", [&] { return hub_->SetProfileTitle(-1); }, -1},
        {"Pause", [&] { return hub_->Pause(); }, -1},
        {"ScanSpeed", [&] { return hub_->ScanSpeed(1); }, -1},
        {"MenuButton", [&] { return hub_->MenuButton(4); }, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.call(), c.answer) << c.operation;
    }
    EXPECT_TRUE(events_.events.empty());

    events_.events.clear();
    EXPECT_EQ(hub_->Play(), 0);
    EXPECT_EQ(hub_->Stop(), 0);
    EXPECT_THAT(events_.events, testing::IsSupersetOf({Ev(kEventGraphBuilt, 0), Ev(kEventPlayState, 2),
                                                       Ev(kEventUserOperations, -1), Ev(kEventPlayState, 4)}));
}

TEST_F(TPlayControlHost, WithoutAnInstancePlaybackOperationsReportIt) {
    const std::function<int32_t()> operations[] = {
        [&] { return hub_->Play(); },       [&] { return hub_->Pause(); },       [&] { return hub_->Stop(); },
        [&] { return hub_->ScanSpeed(1); }, [&] { return hub_->MenuButton(0); },
    };
    for (const auto& operation : operations) {
        EXPECT_EQ(operation(), -1);
    }
    EXPECT_EQ(events_.events, std::vector<TRecordedEvent>(std::size(operations), kNoInstance));
    EXPECT_EQ(hub_->SeekTo(1000), -1); // no instance anywhere along the chain
}

TEST_F(TPlayControlHost, PostedNotificationsArriveThroughTheEventLoop) {
    ASSERT_EQ(hub_->CreatePlayer(), 0);
    PostAndDeliver(hub_->Window(), kMsgCoreTime, 3723480, 25);
    PostAndDeliver(hub_->Window(), kMsgCoreDuration, 5400000, 0);
    EXPECT_EQ(events_.events, (std::vector{Ev(kEventTime, 3723480, 25), Ev(kEventDuration, 5400000, 0)}));
    int32_t time = 0, duration = 0;
    hub_->GetPosition(nullptr, nullptr, &time, &duration);
    EXPECT_EQ(time, 3723480);
    EXPECT_EQ(duration, 5400000);
}

} // namespace
