#include "platform/win/tests/MessageLog.h"

#include "platform/win/Window.h"

namespace plat::win::testing {

void MessageLog::Add(HWND hwnd, UINT msg, WPARAM wParam) {
    std::lock_guard lock(mutex_);
    entries_.push_back({hwnd, msg, wParam});
}

std::vector<MessageLog::Entry> MessageLog::Entries() const {
    std::lock_guard lock(mutex_);
    return entries_;
}

std::vector<UINT> MessageLog::Messages() const {
    std::vector<UINT> messages;
    for (const Entry& entry : Entries()) {
        messages.push_back(entry.msg);
    }
    return messages;
}

Handler MessageLog::Recorder() {
    return [this](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        Add(hwnd, msg, wParam);
        return DefWindowProc(hwnd, msg, wParam, lParam);
    };
}

} // namespace plat::win::testing
