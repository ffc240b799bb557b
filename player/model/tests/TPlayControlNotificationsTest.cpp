// What the hub makes of the core's messages and records, delivered to its real hidden window as the
// core delivers them: posted messages through the event loop, records with SendMessage(WM_COPYDATA).
#include "core/include/VokradNotifications.h"
#include "platform/win/Message.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/tests/EventRecorder.h"
#include "player/model/tests/PlayerTestSupport.h"
#include "player/model/tests/RecordingCore.h"

#include <gtest/gtest.h>

#include <cstring>
#include <variant>

namespace {

namespace win = plat::win;

struct TPosted {
    win::UINT msg;
    win::WPARAM wParam;
    win::LPARAM lParam;
};
using TDelivery = std::variant<TPosted, std::vector<uint8_t>>;

class TPlayControlNotifications : public testing::Test {
protected:
    TPlayControlNotifications() : core_(new TRecordingCore), globals_(std::unique_ptr<TSendToCore>(core_)) {
        EXPECT_EQ(hub_.CreatePlayer(), 0);
        hub_.AddListener(&events_, 1, &TEventRecorder::Callback);
        ErrorControl()->AddListener(&events_, 1, &TEventRecorder::Callback);
    }

    // The answer of a record; 0 for a posted message.
    win::LRESULT Deliver(const TDelivery& delivery) {
        if (const auto* posted = std::get_if<TPosted>(&delivery)) {
            PostAndDeliver(hub_.Window(), posted->msg, posted->wParam, posted->lParam);
            return 0;
        }
        return DeliverRecord(hub_.Window(), std::get<std::vector<uint8_t>>(delivery));
    }

    TRecordingCore* core_;
    TPlayerGlobalsScope globals_;
    TManualTimers timers_;
    TPlayControl hub_;
    TEventRecorder events_;
};

// Record bytes changed at an offset, or cut or lengthened.
std::vector<uint8_t> Patched(std::vector<uint8_t> bytes, size_t offset, uint32_t word) {
    std::memcpy(bytes.data() + offset, &word, sizeof(word));
    return bytes;
}
std::vector<uint8_t> Resized(std::vector<uint8_t> bytes, size_t size) {
    bytes.resize(size);
    return bytes;
}

TRecordedEvent Error(int8_t level, std::u16string text) {
    return {kEventError, 0, level, 0, std::move(text)};
}

TEST_F(TPlayControlNotifications, EveryMessageAndRecordRaisesItsPlayerEvents) {
    core_->writeBack[kOrderPlayState] = BytesOf(kPlayStatePlaying);
    struct Case {
        const char* what;
        TDelivery delivery;
        win::LRESULT answer;
        std::vector<TRecordedEvent> events;
    };
    const Case cases[] = {
        {"1525 time", TPosted{kMsgCoreTime, 5000, 25}, 0, {Ev(kEventTime, 5000, 25)}},
        {"1526 disc",
         TPosted{kMsgCoreNewMedia, 0x12345678, 0x9ABCDEF0},
         0,
         {Ev(kEventDiscDataLoaded, 1), Ev(kEventDiscOpened, 0x12345678, int32_t(0x9ABCDEF0))}},
        {"1526 media file",
         TPosted{kMsgCoreNewMedia, 0, 0},
         0,
         {Ev(kEventDiscDataLoaded, 1), Ev(kEventDiscOpened)}},
        {"1527 duration", TPosted{kMsgCoreDuration, 90000, 0}, 0, {Ev(kEventDuration, 90000, 0)}},
        {"1528 register", TPosted{kMsgCoreRegister, 0x1FF, 7}, 0, {Ev(kEventRegister, 0x1FF, -1)}},
        {"1529 register 199",
         TPosted{TPlayControl::kMsgCoreRegisterIndexed, 199, 77},
         0,
         {Ev(kEventRegister, -1, 77)}},
        {"1529 register 200", TPosted{TPlayControl::kMsgCoreRegisterIndexed, 200, 77}, 0, {}},
        {"1530 title",
         TPosted{kMsgCoreTitleChapter, kTitleChapterTitle, 3},
         0,
         {Ev(kEventTitleChapter, 1, 3)}},
        {"1530 chapter",
         TPosted{kMsgCoreTitleChapter, kTitleChapterChapter, 4},
         0,
         {Ev(kEventTitleChapter, 2, 4)}},
        {"1530 neither", TPosted{kMsgCoreTitleChapter, 2, 4}, 0, {}},
        {"1534 not handled", TPosted{1534, 0, 0}, 0, {}},
        {"status 3", StatusRecord(kStatusUserOperations, 0x1234, 0), 1, {Ev(kEventUserOperations, 0x1234)}},
        {"status 5", StatusRecord(kStatusDrive, 3, 0), 1, {}},
        {"status 9", StatusRecord(TPlayControl::kStatusStopped, 0, 0), 1, {Ev(kEventUserOperations, -1)}},
        {"status 11",
         StatusRecord(kStatusConfiguration, kConfigDvd | kConfigVideoWindow, 0),
         1,
         {Ev(kEventGraphConfiguration, 5)}},
        {"status 12", StatusRecord(kStatusEndOfMedia, 0, 0), 1, {Ev(kEventEndOfMedia)}},
        {"status 13", StatusRecord(kStatusGraphBuilt, 0, 0), 1, {Ev(kEventGraphBuilt)}},
        {"status 14", StatusRecord(kStatusDomainChanged, 0, 0), 1, {}},
        {"status 15", StatusRecord(kStatusPlayState, 9, 0), 1, {Ev(kEventPlayState, kPlayStatePlaying)}},
        {"status 16", StatusRecord(kStatusFrameStepped, 0, 0), 1, {}},
        {"severity 0", TextRecord(kSeverityFatal, "fatal"), 0, {Error(4, u"fatal")}},
        {"severity 1", TextRecord(kSeverityError, "error"), 0, {Error(5, u"error")}},
        {"severity 2", TextRecord(kSeverityWarning, "warning"), 0, {Error(1, u"warning")}},
        {"severity 3", TextRecord(kSeverityAdvice, "advice"), 0, {Error(2, u"advice")}},
        {"severity 200", TextRecord(200, "other"), 0, {Error(2, u"other")}},
        {"text is not a format", TextRecord(0, "100% %s %d \xC3\xA9"), 0, {Error(4, u"100% %s %d \u00E9")}},
        {"streams", StreamsRecord(), 0, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Deliver(c.delivery), c.answer) << c.what;
        EXPECT_EQ(std::exchange(events_.events, {}), c.events) << c.what;
    }
}

TEST_F(TPlayControlNotifications, ShortLongAndForgedRecordsAreDropped) {
    const std::vector<uint8_t> status = StatusRecord(kStatusEndOfMedia, 0, 0);
    const std::vector<uint8_t> text = TextRecord(0, "text");
    std::vector<uint8_t> longStatus = status;
    longStatus.push_back(0);
    std::vector<uint8_t> longText = text;
    longText.push_back(0);
    const std::pair<const char*, std::vector<uint8_t>> cases[] = {
        {"empty", {}},
        {"shorter than the head", Resized(status, 15)},
        {"header word 13", Patched(status, 0, 13)},
        {"status length field 15", Patched(status, 12, 15)},
        {"status one byte short", Resized(status, 27)},
        {"status one byte long", longStatus},
        {"status long with a matching length field", Patched(longStatus, 12, 17)},
        {"text length field 2061", Patched(text, 12, 2061)},
        {"text cut after its severity", Resized(text, 21)},
        {"text one byte short", Resized(text, 2071)},
        {"text one byte long", longText},
        {"unknown kind", Patched(status, 8, 1630)},
    };
    for (const auto& [what, block] : cases) {
        EXPECT_EQ(DeliverRecord(hub_.Window(), block), 0) << what;
    }
    EXPECT_EQ(win::SendMessage(hub_.Window(), win::WM_COPYDATA, 0, 0), 0);
    EXPECT_TRUE(events_.events.empty());
    EXPECT_TRUE(core_->TakeOrders().empty());
}

TEST_F(TPlayControlNotifications, ATextFillingItsWholeFieldIsReadUpToTheFieldsEnd) {
    std::vector<uint8_t> record = TextRecord(1, std::string(kCoreMessageTextBytes, 'x'));
    record[sizeof(TCoreMessageText) - 3] = 'y'; // the padding after the field is not text
    EXPECT_EQ(DeliverRecord(hub_.Window(), record), 0);
    EXPECT_EQ(events_.events, (std::vector{Error(5, std::u16string(kCoreMessageTextBytes, u'x'))}));
}

TEST_F(TPlayControlNotifications, RecordsAreBracketedByDebugTraces) {
    ::setenv("TOVRIN_DEBUG_OUTPUT", "1", 1);
    testing::internal::CaptureStderr();
    DeliverRecord(hub_.Window(), StatusRecord(kStatusEndOfMedia, 0, 0));
    DeliverRecord(hub_.Window(), TextRecord(kSeverityAdvice, "advice"));
    const std::string traces = testing::internal::GetCapturedStderr();
    ::unsetenv("TOVRIN_DEBUG_OUTPUT");
    EXPECT_EQ(traces, ">>> ENTER CO_STATUS 12 \n>>> LEAVE CO_STATUS 12 \n"
                      ">>> ENTER CO_MESSAGETEXT\n>>> LEAVE CO_MESSAGETEXT\n");
}

TEST_F(TPlayControlNotifications, StateKeptFromMessages) {
    const TDelivery deliveries[] = {
        TPosted{kMsgCoreTime, 3723400, 30},
        TPosted{kMsgCoreDuration, 7200000, 0},
        TPosted{kMsgCoreRegister, 0x1AB, 0},
        TPosted{TPlayControl::kMsgCoreRegisterIndexed, 7, 0xCAFE},
        TPosted{TPlayControl::kMsgCoreRegisterIndexed, 0xFFFFFFFF, 1},
        TPosted{kMsgCoreTitleChapter, kTitleChapterTitle, 2},
        TPosted{kMsgCoreTitleChapter, kTitleChapterChapter, 9},
        StatusRecord(kStatusDrive, 3, 0),
        TPosted{kMsgCoreNewMedia, 1, 2},
    };
    for (const TDelivery& d : deliveries) {
        Deliver(d);
    }
    const TPlaybackInfo& info = hub_.PlaybackInfo();
    EXPECT_EQ(info.TimeMs, 3723400);
    EXPECT_EQ(info.FrameRate, 30);
    EXPECT_EQ(info.DurationMs, 7200000);
    EXPECT_EQ(info.RegisterValue, 0xAB);
    EXPECT_EQ(info.Registers[7], 0xCAFEu);
    EXPECT_EQ(hub_.GetTitle(), 2);
    EXPECT_EQ(hub_.GetChapter(), 9);
    EXPECT_TRUE(hub_.UsesDrive('D'));
    EXPECT_TRUE(hub_.UsesDrive('d'));
    EXPECT_FALSE(hub_.UsesDrive('E'));
    uint32_t high = 0, low = 0;
    EXPECT_TRUE(hub_.GetDiscId(&high, &low));
    EXPECT_EQ(high, 1u);
    EXPECT_EQ(low, 2u);
    EXPECT_EQ(core_->TakeOrderNumbers(), std::vector<uint32_t>{kOrderDiscInformation}); // the title's streams

    // A stop forgets it all.
    EXPECT_EQ(hub_.Stop(), 0);
    EXPECT_FALSE(hub_.GetDiscId(&high, &low));
    EXPECT_FALSE(hub_.UsesDrive('D'));
    EXPECT_EQ(hub_.PlaybackInfo().Registers[7], 0u);
}

} // namespace
