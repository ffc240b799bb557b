#pragma once
// The messages a thread queue holds: posted ones, and ones sent from another thread whose sender
// waits for the answer.
#include "platform/win/Types.h"

#include <cstdint>
#include <memory>

namespace plat::win {

class ThreadQueue;

struct PostedMessage {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    std::uint64_t sequence; // order of posting to the queue
};

struct SentMessage {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    std::shared_ptr<ThreadQueue> replyTo; // the waiting sender's queue
    // Guarded by replyTo's lock.
    LRESULT result = 0;
    bool done = false;
};

} // namespace plat::win
