#pragma once
// A hub with a recording core for one controller test: the controller under test is made with the hub
// as its parent, so its orders arrive at the recording core; error texts and the controller's player
// events are recorded.
#include "platform/text/CodePage.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/tests/EventRecorder.h"
#include "player/model/tests/FakeControllers.h"
#include "player/model/tests/PlayerTestSupport.h"
#include "player/model/tests/RecordingCore.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

class TControllerTest : public testing::Test {
protected:
    TControllerTest() : core_(new TRecordingCore), globals_(std::unique_ptr<TSendToCore>(core_)) {
        EXPECT_EQ(hub_.CreatePlayer(), 0);
        ErrorControl()->AddListener(&errors_, 1, &TEventRecorder::Callback);
        core_->TakeOrders();
    }

    // The one order sent since the last call.
    TRecordingCore::TOrder OnlyOrder() {
        auto orders = core_->TakeOrders();
        EXPECT_EQ(orders.size(), 1u);
        return orders.empty() ? TRecordingCore::TOrder{} : orders[0];
    }

    TRecordingCore* core_;
    TPlayerGlobalsScope globals_;
    TPlayControl hub_;
    TEventRecorder errors_;
    TEventRecorder events_;
    TControllerLog log_;
    TFakeOSD osd_{log_};
};

// The request bytes of a record with its head as the controllers fill it.
template <class Record> std::vector<uint8_t> Request(Record record) {
    record.head = {0, static_cast<uint32_t>(sizeof(Record))};
    return BytesOf(record);
}
