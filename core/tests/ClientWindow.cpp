#include "core/tests/ClientWindow.h"

#include "platform/win/Message.h"
#include "platform/win/Window.h"

#include <gtest/gtest.h>

namespace win = plat::win;

ClientWindow::ClientWindow()
    : window_([this](win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
          return Handle(hwnd, msg, wParam, lParam);
      }) {}

void ClientWindow::Deliver() {
    win::DispatchPending();
}

win::LRESULT ClientWindow::Handle(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
    constexpr win::UINT kFirstCoreMessage = 1525;
    constexpr win::UINT kLastCoreMessage = 1534;
    if (msg == win::WM_COPYDATA) {
        const auto& data = *reinterpret_cast<const win::COPYDATASTRUCT*>(lParam);
        EXPECT_EQ(wParam, 0u);
        EXPECT_EQ(data.dwData, 0u);
        const auto* bytes = static_cast<const std::byte*>(data.lpData);
        records.emplace_back(bytes, bytes + data.cbData);
        return 1;
    }
    if (msg >= kFirstCoreMessage && msg <= kLastCoreMessage) {
        posted.push_back({msg, wParam, lParam, std::chrono::steady_clock::now()});
        return 0;
    }
    return win::DefWindowProc(hwnd, msg, wParam, lParam);
}
