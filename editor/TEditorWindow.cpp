#include "editor/TEditorWindow.h"

#include "editor/TEditorCommandFrame.h"
#include "platform/win/Peer.h"
#include "platform/win/Timer.h"
#include "platform/win/Window.h"

namespace win = plat::win;

TEditorWindow::TEditorWindow(IHandler& handler) : handler_(handler) {}

TEditorWindow::~TEditorWindow() {
    if (handle_ != 0) {
        win::DestroyWindow(handle_);
    }
}

bool TEditorWindow::Create() {
    if (!win::GetClassInfo(kClassName, nullptr)) {
        win::RegisterClass({0, &TEditorWindow::Procedure, nullptr, kClassName});
    }
    handle_ = win::CreateWindowEx(0, kClassName, kTitle, 0, 0, 0, 0, 0, 0, nullptr);
    if (handle_ == 0) {
        return false;
    }
    win::SetWindowLongPtr(handle_, win::GWLP_USERDATA, reinterpret_cast<std::intptr_t>(this));
    win::PublishWindow(handle_);
    return true;
}

void TEditorWindow::RestartAutoRefresh() {
    win::KillTimer(handle_, kAutoRefreshTimer);
    win::SetTimer(handle_, kAutoRefreshTimer, kAutoRefreshMs);
}

void TEditorWindow::StopAutoRefresh() {
    win::KillTimer(handle_, kAutoRefreshTimer);
}

void TEditorWindow::QueuePlayAtTitleTime(int32_t title, int32_t chapter, uint32_t packedTime) {
    playTitle_ = title;
    playChapter_ = chapter;
    playTime_ = packedTime;
    win::KillTimer(handle_, kRefreshGuiTimer);
    win::SetTimer(handle_, kRefreshGuiTimer, kRefreshGuiMs);
}

win::LRESULT TEditorWindow::Procedure(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
    auto* window = reinterpret_cast<TEditorWindow*>(win::GetWindowLongPtr(hwnd, win::GWLP_USERDATA));
    return window != nullptr ? window->WndProc(msg, wParam, lParam)
                             : win::DefWindowProc(hwnd, msg, wParam, lParam);
}

win::LRESULT TEditorWindow::WndProc(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
    switch (msg) {
    case win::WM_COPYDATA:
        if (const auto text =
                TEditorCommandFrame::ReadCommandText(reinterpret_cast<const win::COPYDATASTRUCT*>(lParam));
            text && !text->empty()) {
            handler_.RunCommandText(*text);
        }
        return 0;
    case kMsgPlayerRequest:
        if (wParam == 0) {
            handler_.BringToFront();
            return handler_.CloseRequested() ? 1 : 0;
        }
        if (wParam == 1) {
            handler_.BringToFront();
        }
        return 0;
    case win::WM_TIMER:
        OnTimer(static_cast<win::UINT_PTR>(wParam));
        return 0;
    case win::WM_CLOSE:
        // The window lives as long as the editor; closing is the main form's.
        return 0;
    default:
        return win::DefWindowProc(handle_, msg, wParam, lParam);
    }
}

void TEditorWindow::OnTimer(win::UINT_PTR id) {
    win::KillTimer(handle_, id);
    if (id == kAutoRefreshTimer) {
        handler_.AutoRefreshTick();
    } else if (id == kRefreshGuiTimer) {
        handler_.PlayAtTitleTime(playTitle_, playChapter_, playTime_);
    }
}
