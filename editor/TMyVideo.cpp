#include "editor/TMyVideo.h"

#include "editor/TEditorCommandFrame.h"
#include "platform/win/Message.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/profiles/TProfileSubtitles.h"

#include <charconv>
#include <utility>

namespace win = plat::win;

void TMyVideo::BindPlayer(TPlayControl* playControl, TProfileSubtitles* sender) {
    playControl_ = playControl;
    sender_ = sender;
}

void TMyVideo::SetWindows(win::HWND editor, win::HWND player) {
    editor_ = editor;
    player_ = player;
}

void TMyVideo::SetPlayAtHandler(std::function<void(int32_t, int32_t, uint32_t)> handler) {
    playAt_ = std::move(handler);
}

int32_t TMyVideo::SendPlayerCommand(win::HWND window, std::string_view text) {
    if (window == 0) {
        return 0;
    }
    const std::vector<uint8_t> frame = TEditorCommandFrame::BuildText(text);
    const win::COPYDATASTRUCT copy{0, static_cast<win::DWORD>(frame.size()), frame.data()};
    const auto answer =
        win::SendMessage(window, win::WM_COPYDATA, editor_, reinterpret_cast<win::LPARAM>(&copy));
    win::SendMessage(window, kMsgAfterCommand, 0, 0);
    return static_cast<int32_t>(answer);
}

int32_t TMyVideo::GetTime() {
    if (IsRemote()) {
        return SendPlayerCommand(player_, "/CMD:GETTIME");
    }
    return playControl_ != nullptr ? playControl_->GetTimeCode() : -1;
}

int32_t TMyVideo::PlayAtTitleTime(int32_t title, int32_t chapter, uint32_t packedTime) {
    if (playAt_) {
        playAt_(title, chapter, packedTime);
    }
    return -1;
}

int32_t TMyVideo::LoadSubtitlePages(int32_t number, const TPointer<TStyles>* styles,
                                    const TPointer<TSubEvents>* events) {
    if (playControl_ == nullptr || sender_ == nullptr) {
        return -1;
    }
    return sender_->SendEventList(styles, events, number);
}

bool TMyVideo::LoadLanguageSubtitles(TLanguage* language) {
    return playControl_ != nullptr && sender_ != nullptr && language != nullptr &&
           sender_->SendLanguageNow(language);
}

bool TMyVideo::ClearProfileSubtitles() {
    if (sender_ != nullptr) {
        sender_->Close(true);
    }
    return true;
}

bool TMyVideo::ShowProfileSubtitles() {
    return playControl_ != nullptr && sender_ != nullptr && sender_->Show(true) != -1;
}

bool TMyVideo::HideProfileSubtitles() {
    return playControl_ != nullptr && sender_ != nullptr && sender_->Show(false) != -1;
}

int32_t TMyVideo::ShowSubtitlePage(int32_t number) {
    return playControl_ != nullptr ? playControl_->SetProfileTitle(number) : -1;
}

void TMyVideo::ShowVideoWindow() {
    if (IsRemote()) {
        SendPlayerCommand(player_, "/CMD:SHOWVIDEOWIN");
    } else if (playControl_ != nullptr && playControl_->Controllers().Video) {
        playControl_->Controllers().Video->Show();
    }
}
