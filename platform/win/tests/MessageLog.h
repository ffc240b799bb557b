#pragma once
// A record of the messages that test window procedures see.
#include "platform/win/tests/TestWindow.h"

#include <mutex>
#include <vector>

namespace plat::win::testing {

// Messages seen by handlers, from any thread.
class MessageLog {
public:
    struct Entry {
        HWND hwnd;
        UINT msg;
        WPARAM wParam;
        bool operator==(const Entry&) const = default;
    };

    void Add(HWND hwnd, UINT msg, WPARAM wParam = 0);
    std::vector<Entry> Entries() const;
    std::vector<UINT> Messages() const;
    // A handler that records every message, then answers as DefWindowProc does.
    Handler Recorder();

private:
    mutable std::mutex mutex_;
    std::vector<Entry> entries_;
};

} // namespace plat::win::testing
