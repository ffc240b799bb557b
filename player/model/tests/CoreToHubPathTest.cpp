// The whole notification path in one process: the core's player control object (linked in, so the
// test can play the part of the playback engine that reports to it) sends its messages and records
// to the hub's real client window, and the hub turns them into player events for its listeners.
#include "core/include/VokradNotifications.h"
#include "core/src/TCoreErrorTexts.h"
#include "core/src/TCoreInstance.h"
#include "player/model/binding/PlayerGlobals.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/tests/EventRecorder.h"
#include "player/model/tests/PlayerTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

// A binding whose calls go straight to the linked-in core instead of a loaded library.
class TLinkedCore : public TSendToCore {
public:
    TCoreInstance* CreatePlayerInstance(plat::win::HWND clientWindow) override {
        return TCoreInstance::Create(clientWindow, "Test");
    }
    int32_t FreePlayerInstance(TCoreInstance* instance, plat::win::HWND) override {
        return TCoreInstance::Free(instance);
    }
    int32_t SendOrder(TCoreInstance* instance, plat::win::HWND, uint32_t order, void* record,
                      void** out) override {
        TCorePlayer* player = TCoreInstance::PlayerOf(instance);
        return player != nullptr ? player->SendOrder(order, record, out) : -1;
    }
    int32_t FreeData(void** block) override {
        if (block == nullptr || *block == nullptr) {
            return -1;
        }
        std::free(*block);
        return 0;
    }
};

class CoreToHubPath : public testing::Test {
protected:
    CoreToHubPath() {
        ErrorControl()->AddListener(&events_, 1, &TEventRecorder::Callback);
        hub_.AddListener(&events_, 1, &TEventRecorder::Callback);
        EXPECT_EQ(hub_.CreatePlayer(), 0);
        player_ = TCoreInstance::PlayerOf(hub_.Instance());
    }
    ~CoreToHubPath() override { hub_.DestroyPlayer(); }

    TPlayerGlobalsScope globals_{std::make_unique<TLinkedCore>()};
    TEventRecorder events_;
    TPlayControl hub_;
    TCorePlayer* player_ = nullptr;
};

TEST_F(CoreToHubPath, EngineReportsBecomePlayerEvents) {
    ASSERT_NE(player_, nullptr);
    struct Case {
        const char* report;
        void (*send)(TCorePlayer&);
        TRecordedEvent expected;
    };
    const Case cases[] = {
        {"time 1:02:03 frame 12 at 25 fps",
         [](TCorePlayer& p) { p.EngineEvent(TCorePlayer::kEngineEventTime, 0x0C030201, 1); },
         Ev(kEventTime, 3723480, 25)},
        {"duration", [](TCorePlayer& p) { p.EngineEvent(TCorePlayer::kEngineEventDuration, 90000, 0); },
         Ev(kEventDuration, 90000, 0)},
        {"new title", [](TCorePlayer& p) { p.EngineEvent(TCorePlayer::kEngineEventTitle, 3, 0); },
         Ev(kEventTitleChapter, 1, 3)},
        {"new chapter", [](TCorePlayer& p) { p.EngineEvent(TCorePlayer::kEngineEventChapter, 7, 0); },
         Ev(kEventTitleChapter, 2, 7)},
        {"allowed operations", [](TCorePlayer& p) { p.EngineState(kStatusUserOperations, 0x1F, 0); },
         Ev(kEventUserOperations, 0x1F)},
        {"end of media", [](TCorePlayer& p) { p.EngineState(kStatusEndOfMedia, 0, 0); },
         Ev(kEventEndOfMedia)},
        {"error text", [](TCorePlayer& p) { p.EngineError(TCoreErrorTexts::kTest, 0, 0); },
         TRecordedEvent{kEventError, 0, 1, 0, u"This is a test"}},
    };
    for (const Case& c : cases) {
        events_.events.clear();
        c.send(*player_);
        DeliverPosted();
        ASSERT_FALSE(events_.events.empty()) << c.report;
        TRecordedEvent heard = events_.events.back();
        if (heard.event == kEventError) {
            heard.a = 0; // the text pointer is only valid during the call; its copy is compared
        }
        EXPECT_EQ(heard, c.expected) << c.report;
    }
}

} // namespace
