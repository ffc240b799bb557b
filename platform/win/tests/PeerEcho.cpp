// A process for the cross-process message tests: publishes a window of class "PeerEcho" titled by its
// first argument, prints "ready", and answers: WM_USER+1 with wParam * lParam; WM_COPYDATA with the
// sum of its bytes plus dwData, or, for the data "nest", with 1 + the answer of the sending window to
// WM_USER+5 (sent back while the sender waits); WM_CLOSE ends it.
#include "platform/win/Message.h"
#include "platform/win/Peer.h"
#include "platform/win/Window.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

namespace win = plat::win;

namespace {

win::LRESULT Procedure(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
    switch (msg) {
    case win::WM_USER + 1:
        return static_cast<win::LRESULT>(wParam) * lParam;
    case win::WM_COPYDATA: {
        const auto* copy = reinterpret_cast<const win::COPYDATASTRUCT*>(lParam);
        if (copy->cbData == 4 && std::memcmp(copy->lpData, "nest", 4) == 0) {
            return 1 + win::SendMessage(static_cast<win::HWND>(wParam), win::WM_USER + 5, 0, 0);
        }
        win::LRESULT sum = static_cast<win::LRESULT>(copy->dwData);
        for (win::DWORD i = 0; i < copy->cbData; ++i) {
            sum += static_cast<const unsigned char*>(copy->lpData)[i];
        }
        return sum;
    }
    case win::WM_CLOSE:
        QCoreApplication::quit();
        return 0;
    default:
        return win::DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    win::RegisterClass({0, &Procedure, nullptr, "PeerEcho"});
    const win::HWND hwnd =
        win::CreateWindowEx(0, "PeerEcho", argc > 1 ? argv[1] : "", 0, 0, 0, 0, 0, 0, nullptr);
    if (hwnd == 0 || !win::PublishWindow(hwnd)) {
        return 2;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    QCoreApplication::exec();
    win::DestroyWindow(hwnd);
    return 0;
}
