#include "editor/wave/tests/MessageRecorder.h"

#include "editor/wave/TWavePlayer.h"
#include "platform/win/Message.h"
#include "platform/win/Window.h"

namespace win = plat::win;

namespace {
constexpr const char* kClassName = "WaveMessageRecorder";
}

MessageRecorder::MessageRecorder() {
    win::WNDCLASS wc;
    if (!win::GetClassInfo(kClassName, &wc)) {
        wc.lpfnWndProc = &Procedure;
        wc.lpszClassName = kClassName;
        win::RegisterClass(wc);
    }
    hwnd_ = win::CreateWindowEx(0, kClassName, "", 0, 0, 0, 0, 0, 0, nullptr);
    win::SetWindowLongPtr(hwnd_, win::GWLP_USERDATA, reinterpret_cast<intptr_t>(this));
}

MessageRecorder::~MessageRecorder() {
    win::DestroyWindow(hwnd_);
}

std::vector<MessageRecorder::Message> MessageRecorder::Take() {
    win::DispatchPending();
    return std::exchange(received_, {});
}

void MessageRecorder::WaitUntil(const std::function<bool(const Message&)>& done) {
    std::size_t seen = 0;
    for (;;) {
        win::DispatchPending();
        for (; seen < received_.size(); ++seen) {
            if (done(received_[seen])) {
                return;
            }
        }
        win::WaitMessage();
    }
}

win::LRESULT MessageRecorder::Procedure(win::HWND hwnd, win::UINT msg, win::WPARAM wParam,
                                        win::LPARAM lParam) {
    auto* self = reinterpret_cast<MessageRecorder*>(win::GetWindowLongPtr(hwnd, win::GWLP_USERDATA));
    if (self != nullptr && msg >= WM_WAVE_ENDED && msg <= WM_WAVE_STATE) {
        self->received_.emplace_back(msg, wParam);
        return 0;
    }
    return win::DefWindowProc(hwnd, msg, wParam, lParam);
}
