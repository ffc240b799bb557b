#include "platform/win/Message.h"

#include "platform/win/HandleTable.h"
#include "platform/win/PeerSender.h"
#include "platform/win/ThreadQueue.h"

#include <thread>

namespace plat::win {

bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // WM_COPYDATA's record must outlive its delivery, which only a waiting sender guarantees.
    if (msg == WM_COPYDATA) {
        return false;
    }
    auto& table = HandleTable::Instance();
    if (const auto peer = table.PeerOf(hwnd)) {
        return PeerSender::Post(hwnd, *peer, msg, wParam, lParam);
    }
    const auto queue = table.QueueOf(hwnd);
    return queue && queue->Post(hwnd, msg, wParam, lParam);
}

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& table = HandleTable::Instance();
    if (const auto peer = table.PeerOf(hwnd)) {
        return PeerSender::Send(hwnd, *peer, msg, wParam, lParam);
    }
    const auto queue = table.QueueOf(hwnd);
    if (!queue) {
        return 0;
    }
    if (queue->OwnerThread() == std::this_thread::get_id()) {
        return table.CallProcedure(hwnd, msg, wParam, lParam).value_or(0);
    }
    // The caller waits on its own queue, which is gone when it calls from a thread that is ending.
    const auto caller = ThreadQueue::Current();
    return caller ? queue->Send(caller, hwnd, msg, wParam, lParam) : 0;
}

// A thread whose queue has ended (it is ending) has nothing waiting, and nothing will arrive.

std::size_t DispatchPending() {
    const auto queue = ThreadQueue::Current();
    return queue ? queue->DispatchPending() : 0;
}

std::size_t PendingMessageCount() {
    const auto queue = ThreadQueue::Current();
    return queue ? queue->PendingCount() : 0;
}

void WaitMessage() {
    if (const auto queue = ThreadQueue::Current()) {
        queue->WaitMessage();
    }
}

bool InSendMessage() {
    return ThreadQueue::InSendMessage();
}

} // namespace plat::win
