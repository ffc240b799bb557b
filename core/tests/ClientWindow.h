#pragma once
// A client window of the calling thread that keeps what the core tells it: the posted messages
// 1525-1530 with when they arrived, and the WM_COPYDATA records, byte for byte.
#include "platform/win/Types.h"
#include "platform/win/tests/TestWindow.h"

#include <chrono>
#include <cstddef>
#include <vector>

class ClientWindow {
public:
    struct Posted {
        plat::win::UINT msg;
        plat::win::WPARAM wParam;
        plat::win::LPARAM lParam;
        std::chrono::steady_clock::time_point at{}; // when it arrived; not compared
        bool operator==(const Posted& other) const {
            return msg == other.msg && wParam == other.wParam && lParam == other.lParam;
        }
    };

    ClientWindow();

    plat::win::HWND hwnd() const { return window_.hwnd(); }

    // Delivers what was posted to the windows of this thread.
    static void Deliver();

    std::vector<Posted> posted;
    std::vector<std::vector<std::byte>> records;

private:
    plat::win::LRESULT Handle(plat::win::HWND hwnd, plat::win::UINT msg, plat::win::WPARAM wParam,
                              plat::win::LPARAM lParam);

    plat::win::testing::TestWindow window_;
};
