#include "core/src/framework/TCoreThread.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

class TCountingThread : public TCoreThread {
public:
    explicit TCountingThread(bool answer) : TCoreThread(nullptr), answer_(answer) {}
    ~TCountingThread() override { Join(); }

    std::atomic<int> runs{0};

protected:
    bool Run() override {
        ++runs;
        return answer_;
    }

private:
    const bool answer_;
};

TEST(TCoreThreadTest, ExitCodeIsTheAnswerOfRun) {
    for (const bool answer : {true, false}) {
        TCountingThread thread(answer);
        ASSERT_TRUE(thread.Resume());
        thread.Join();
        EXPECT_EQ(thread.ExitCode(), answer);
    }
}

TEST(TCoreThreadTest, NothingRunsBeforeResume) {
    TCountingThread thread(true);
    thread.Join();
    EXPECT_EQ(thread.runs, 0);
    EXPECT_FALSE(thread.ExitCode().has_value());
}

TEST(TCoreThreadTest, ResumeStartsTheThreadOnce) {
    TCountingThread thread(true);
    EXPECT_TRUE(thread.Resume());
    EXPECT_TRUE(thread.Resume());
    thread.Join();
    EXPECT_TRUE(thread.Resume());
    thread.Join();
    EXPECT_EQ(thread.runs, 1);
}

TEST(TCoreThreadTest, BaseRunEndsAtOnceWithTrue) {
    TCoreThread thread(nullptr);
    ASSERT_TRUE(thread.Resume());
    thread.Join();
    EXPECT_EQ(thread.ExitCode(), true);
}

} // namespace
