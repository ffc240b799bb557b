// A stand-in for a running player, for the editor's cross-process tests. It publishes the player's
// main window ("TDVDMain", "TovrinPlayer"), prints "ready", and prints one line per message:
// "text <command text>" and "order <number> <record bytes>" for command frames, "after" for message
// 11023. "/CMD:GETTIME" is answered 12345, other frames 1. WM_USER+1 asks the editor window that sent
// "/EDITMODE:ON" the quit question (message 2023 with wParam = its wParam) and answers the editor's
// answer. WM_CLOSE ends it.
#include "editor/TEditorCommandFrame.h"
#include "platform/win/Message.h"
#include "platform/win/Peer.h"
#include "platform/win/Window.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

namespace win = plat::win;

namespace {

win::HWND editor = 0;

win::LRESULT OnFrame(win::WPARAM sender, const win::COPYDATASTRUCT* copy) {
    int32_t words[3] = {};
    if (copy->cbData < sizeof words) {
        std::printf("short\n");
        return 0;
    }
    std::memcpy(words, copy->lpData, sizeof words);
    if (words[0] == TEditorCommandFrame::kCoreOrder) {
        std::printf("order %d %d\n", words[1], words[2]);
        return 1;
    }
    const auto text = TEditorCommandFrame::ReadCommandText(copy);
    const std::string line = text ? std::string(text->begin(), text->end()) : std::string("?");
    std::printf("text %s\n", line.c_str());
    if (line == "/EDITMODE:ON") {
        editor = static_cast<win::HWND>(sender);
    }
    return line == "/CMD:GETTIME" ? 12345 : 1;
}

win::LRESULT Procedure(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
    win::LRESULT answer = 0;
    switch (msg) {
    case win::WM_COPYDATA:
        answer = OnFrame(wParam, reinterpret_cast<const win::COPYDATASTRUCT*>(lParam));
        break;
    case 11023:
        std::printf("after\n");
        break;
    case win::WM_USER + 1:
        answer = win::SendMessage(editor, 2023, wParam, 0);
        std::printf("asked %lld\n", static_cast<long long>(answer));
        break;
    case win::WM_CLOSE:
        QCoreApplication::quit();
        break;
    default:
        return win::DefWindowProc(hwnd, msg, wParam, lParam);
    }
    std::fflush(stdout);
    return answer;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    win::RegisterClass({0, &Procedure, nullptr, "TDVDMain"});
    const win::HWND hwnd = win::CreateWindowEx(0, "TDVDMain", "TovrinPlayer", 0, 0, 0, 0, 0, 0, nullptr);
    if (hwnd == 0 || !win::PublishWindow(hwnd)) {
        return 2;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    QCoreApplication::exec();
    win::DestroyWindow(hwnd);
    return 0;
}
