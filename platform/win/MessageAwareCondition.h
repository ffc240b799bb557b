#pragma once
// A condition that threads wait for while still answering the messages other threads send to their
// windows, as SendMessage does while it waits: a thread that sends to a waiter and waits for the
// answer does not deadlock with it. Posted messages stay queued until the wait ends.
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace plat::win {

class ThreadQueue;

class MessageAwareCondition {
public:
    // Blocks until done() answers true. done() is asked first and again after each message delivered
    // and each NotifyAll(); it runs under a lock of ours and must not send, post or wait.
    void Wait(const std::function<bool()>& done);
    // Makes every waiter ask its done() again; call it after changing what done() reads.
    void NotifyAll();

private:
    std::mutex mutex_;
    std::condition_variable changed_; // waiters on threads whose queue has ended
    std::vector<std::shared_ptr<ThreadQueue>> waiting_;
};

} // namespace plat::win
