// A stand-in for the subtitle editor's side of the link with the player, run as its own process by
// the player's tests. It publishes its main window, attaches to the running player with
// "/EDITMODE:ON", asks a query, sends core orders, and answers the player's close request (message
// 2023): "accept" sends "/EDITMODE:OFF" back while the player waits and then agrees; "refuse" refuses,
// then detaches. Every answer it gets is written to standard output as "<what> <answer>".
#include "platform/win/Message.h"
#include "platform/win/Peer.h"
#include "platform/win/Window.h"
#include "player/model/binding/TCommandFrame.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <string>

namespace win = plat::win;

namespace {

constexpr win::UINT kCloseRequest = 2023;
constexpr win::UINT kAfterText = 11023;
constexpr win::UINT kDetach = win::WM_USER + 2;

win::HWND self = 0;
win::HWND player = 0;
bool accept = true;

void Say(const char* what, win::LRESULT answer) {
    std::printf("%s %lld\n", what, static_cast<long long>(answer));
    std::fflush(stdout);
}

win::LRESULT SendFrame(const std::vector<uint8_t>& frame) {
    const win::COPYDATASTRUCT copy{0, static_cast<win::DWORD>(frame.size()), frame.data()};
    return win::SendMessage(player, win::WM_COPYDATA, self, reinterpret_cast<win::LPARAM>(&copy));
}

win::LRESULT SendText(const std::string& text) {
    const win::LRESULT answer = SendFrame(TCommandFrame::BuildText(text));
    win::SendMessage(player, kAfterText, 0, 0);
    return answer;
}

win::LRESULT Procedure(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
    if (msg == kCloseRequest && wParam == 0) {
        if (!accept) {
            Say("request", 0);
            win::PostMessage(self, kDetach, 0, 0);
            return 0;
        }
        Say("nested-editmode-off", SendText("/EDITMODE:OFF"));
        Say("request", 1);
        QCoreApplication::quit();
        return 1;
    }
    if (msg == kDetach) {
        Say("editmode-off", SendText("/EDITMODE:OFF"));
        QCoreApplication::quit();
        return 0;
    }
    return win::DefWindowProc(hwnd, msg, wParam, lParam);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    accept = argc < 2 || std::strcmp(argv[1], "refuse") != 0;
    win::RegisterClass({0, &Procedure, nullptr, "TPellitMain"});
    self = win::CreateWindowEx(0, "TPellitMain", "Pellit3", 0, 0, 0, 0, 0, 0, nullptr);
    if (self == 0 || !win::PublishWindow(self)) {
        Say("unpublished", 0);
        return 2;
    }
    player = win::FindPeerWindow("TDVDMain", "TovrinPlayer");
    if (player == 0) {
        Say("noplayer", 0);
        return 2;
    }
    Say("editmode-on", SendText("/EDITMODE:ON"));
    Say("gettime", SendText("/CMD:GETTIME"));
    // Order 506 (subtitle offset) with its 12-byte record, then order 500 as a frame without one.
    const int32_t record[3] = {0, 12, 0};
    Say("order", SendFrame(TCommandFrame::BuildOrder(506, {reinterpret_cast<const uint8_t*>(record), 12})));
    Say("bare-order", SendFrame(TCommandFrame::BuildOrder(500, {})));
    Say("ready", 0);
    QCoreApplication::exec();
    win::DestroyWindow(self);
    return 0;
}
