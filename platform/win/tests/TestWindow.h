#pragma once
// Test windows whose procedure is a function given by the test.
#include "platform/win/Types.h"

#include <functional>
#include <memory>
#include <string_view>

namespace plat::win::testing {

using Handler = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

// A window of the calling thread; its procedure calls the handler (DefWindowProc when it has none).
// GWLP_USERDATA is taken by the handler.
class TestWindow {
public:
    explicit TestWindow(Handler handler = {}, HWND parent = 0, DWORD style = 0, std::string_view title = {});
    ~TestWindow(); // destroys the window when it still exists and this is its thread
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND hwnd() const { return hwnd_; }

    static constexpr std::string_view kClassName = "TovrinTestWindow";

private:
    static void RegisterClassOnce();
    static LRESULT Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    std::unique_ptr<Handler> handler_;
    HWND hwnd_ = 0;
};

} // namespace plat::win::testing
