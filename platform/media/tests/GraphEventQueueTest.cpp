#include "platform/media/GraphEventQueue.h"

#include <gtest/gtest.h>

#include <thread>

namespace plat::media {
namespace {

using namespace std::chrono_literals;

TEST(GraphEventQueueTest, DeliversInOrderAndNotifies) {
    GraphEventQueue queue;
    int notified = 0;
    queue.SetNotifier([&] { ++notified; });
    EXPECT_FALSE(queue.TryPop().has_value());
    queue.Push({EC_ERRORABORT, E_FAIL, 0, "first"});
    queue.Push({EC_COMPLETE, S_OK, 0, {}});
    EXPECT_EQ(notified, 2);
    EXPECT_EQ(queue.TryPop()->text, "first");
    EXPECT_EQ(queue.TryPop()->code, EC_COMPLETE);
    EXPECT_FALSE(queue.TryPop().has_value());
}

TEST(GraphEventQueueTest, WaitsForACodeAcrossThreads) {
    GraphEventQueue queue;
    std::thread producer([&] {
        queue.Push({EC_ERRORABORT, E_FAIL, 0, {}});
        queue.Push({EC_STEP_COMPLETE, 0, 0, {}});
    });
    const auto event = queue.WaitFor(EC_STEP_COMPLETE, 5s);
    producer.join();
    ASSERT_TRUE(event.has_value());
    EXPECT_EQ(event->code, EC_STEP_COMPLETE);
    EXPECT_FALSE(queue.WaitFor(EC_COMPLETE, 10ms).has_value());
}

} // namespace
} // namespace plat::media
