#pragma once
// Posting and sending messages. Each thread that owns windows has a message queue of ours; its Qt
// event loop (QCoreApplication::exec or a QEventLoop on that thread) delivers the queue, and
// DispatchPending() delivers it by hand (threads without a Qt loop, tests).
//
// SendMessage to a window of the calling thread calls its procedure directly. To a window of another
// thread it queues the message there and waits; while waiting it delivers messages that other
// threads send to the caller's own windows (not posted ones), so nested sends back never deadlock.
// A window destroyed before delivery, or whose thread has ended, answers 0.
#include "platform/win/Types.h"

#include <cstddef>

namespace plat::win {

bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam); // false for an invalid handle
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Delivers the messages waiting for the calling thread: first those sent to it, then those posted
// to it before this call (in order). Answers how many were delivered.
std::size_t DispatchPending();

// Messages waiting for the calling thread (sent and posted).
std::size_t PendingMessageCount();

// Blocks until a message waits for the calling thread (at once when one does already), for threads
// that deliver their queue with DispatchPending.
void WaitMessage();

// True while the calling thread is inside a window procedure called for a message sent from
// another thread (InSendMessage).
bool InSendMessage();

} // namespace plat::win
