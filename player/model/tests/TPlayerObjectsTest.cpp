#include "player/model/hub/TPlayerObjects.h"
#include "player/model/tests/PlayerTestSupport.h"
#include "player/model/tests/RecordingCore.h"

#include <gtest/gtest.h>

namespace {

class TPlayerObjectsTest : public testing::Test {
protected:
    TPlayerObjectsTest() : core_(new TRecordingCore), globals_(std::unique_ptr<TSendToCore>(core_)) {}

    TRecordingCore* core_;
    TPlayerGlobalsScope globals_;
};

TEST_F(TPlayerObjectsTest, OrdersClimbToTheObjectThatHoldsTheInstance) {
    TPlayerObjects hub(nullptr);
    TPlayerObjects controller(&hub);
    TPlayerObjects grandchild(&controller);
    EXPECT_EQ(hub.Parent(), &hub);
    EXPECT_EQ(grandchild.SendOrder(kOrderPing, nullptr, nullptr), -1); // nobody holds an instance
    EXPECT_EQ(grandchild.FreeData(nullptr), -1);
    EXPECT_TRUE(core_->TakeOrders().empty());

    ASSERT_EQ(hub.CreateInstance(17), 0);
    EXPECT_EQ(core_->createdFor, std::vector<plat::win::HWND>{17});
    core_->answers[kOrderClockTime] = 4321;
    EXPECT_EQ(grandchild.SendOrder(kOrderClockTime, nullptr, nullptr), 4321);
    EXPECT_EQ(core_->TakeOrderNumbers(), std::vector<uint32_t>{kOrderClockTime});
    void* block = nullptr;
    EXPECT_EQ(controller.FreeData(&block), -1); // the binding's answer for no block
}

TEST_F(TPlayerObjectsTest, InstancesAreReplacedAndFreed) {
    TCoreInstance* first = nullptr;
    {
        TPlayerObjects hub(nullptr);
        EXPECT_EQ(hub.FreeInstance(), -1);
        ASSERT_EQ(hub.CreateInstance(3), 0);
        first = hub.Instance();
        ASSERT_EQ(hub.CreateInstance(4), 0); // frees the old one first
        EXPECT_EQ(core_->freed, std::vector{first});
        EXPECT_EQ(hub.ClientWindow(), 4u);
        core_->giveInstance = false;
        TPlayerObjects other(nullptr);
        EXPECT_EQ(other.CreateInstance(5), -1);
        EXPECT_FALSE(other.HasInstance());
    }
    ASSERT_EQ(core_->freed.size(), 2u); // the destructor freed the second instance
    EXPECT_NE(core_->freed[1], first);
}

TEST(TPlayerObjects, WithoutTheBindingNothingIsCreated) {
    TPlayerObjects hub(nullptr);
    EXPECT_EQ(hub.CreateInstance(3), -1);
    EXPECT_EQ(hub.ClientWindow(), 3u);
    EXPECT_EQ(hub.SendOrder(kOrderPing, nullptr, nullptr), -1);
}

} // namespace
