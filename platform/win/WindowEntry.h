#pragma once
// One row of the handle table: a window of this process with the state the system reads back.
#include "platform/win/PeerAddress.h"
#include "platform/win/Types.h"

#include <cstdint>
#include <memory>
#include <set>
#include <string>

namespace plat::win {

class ThreadQueue;

struct WindowEntry {
    std::string className{}; // as registered
    WNDPROC proc = nullptr;
    // The owning thread's queue, which every message for the window goes through; none for a
    // handle that stands for a window of another process, which has its address instead.
    std::shared_ptr<ThreadQueue> queue{};
    std::shared_ptr<const PeerAddress> peer{};
    std::string title{}; // UTF-8
    DWORD style = 0;     // WS_VISIBLE is the window's visibility
    DWORD exStyle = 0;
    HWND parent = 0;
    std::int32_t x = 0; // relative to the parent's client origin
    std::int32_t y = 0;
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    std::intptr_t userData = 0;
    TRACKMOUSEEVENT tracking{};
    std::set<UINT_PTR> timers{}; // ids armed with SetTimer
    bool destroying = false;
};

} // namespace plat::win
