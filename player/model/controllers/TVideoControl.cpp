#include "player/model/controllers/TVideoControl.h"

#include "foundation/XmlText.h"
#include "platform/text/CodePage.h"
#include "player/model/controllers/IOSDControl.h"

#include <cstring>
#include <filesystem>

namespace {

constexpr int32_t kSwitchToSettings = 2;
constexpr int32_t kSwitchBack = 1;

} // namespace

TVideoControl::TVideoControl(TPlayerObjects& hub, plat::display::DisplayModes* displayModes)
    : TPlayerObjects(&hub), displayModes_(displayModes) {}

TVideoControl::~TVideoControl() {
    SetVideoWindow(0);
    SetFullScreenWindow(0);
}

int32_t TVideoControl::SendWindows() {
    TOrderParentWindows record{};
    record.videoPanel = videoPanel_;
    record.fullScreenWindow = fullScreenWindow_;
    return SendRecord(kOrderParentWindows, record);
}

void TVideoControl::SetVideoWindow(plat::win::HWND window) {
    videoPanel_ = window;
    SendWindows();
}

void TVideoControl::SetFullScreenWindow(plat::win::HWND window) {
    fullScreenWindow_ = window;
    SendWindows();
}

int32_t TVideoControl::Refresh(bool flag) {
    const bool failed = SendOrder(kOrderRefreshPosition, nullptr, nullptr) != 0;
    if (flag) {
        SetColorKey(colorKey_, true);
        if (shown_) {
            Show();
        }
    }
    return failed ? 1 : 0;
}

int32_t TVideoControl::Show() {
    shown_ = true;
    return SendOrder(kOrderShowVideo, nullptr, nullptr);
}

int32_t TVideoControl::Hide() {
    shown_ = false;
    return SendOrder(kOrderHideVideo, nullptr, nullptr);
}

int32_t TVideoControl::SetColorKey(uint32_t colour, bool temporary) {
    if (!temporary) {
        colorKey_ = colour;
    }
    TOrderColourKey record{};
    record.colour = colour;
    return SendRecord(kOrderColourKey, record);
}

int32_t TVideoControl::ShowCursor(bool visible) {
    TOrderCursor record{};
    record.visible = visible ? 1 : 0;
    return SendRecord(kOrderCursor, record);
}

int32_t TVideoControl::GetVideoRect(plat::win::RECT* rect) {
    TOrderVideoRectangle record{};
    const int32_t answer = SendRecord(kOrderVideoRectangle, record);
    if (answer == 0 && rect != nullptr) {
        *rect = {record.left, record.top, record.right, record.bottom};
    }
    return answer;
}

int32_t TVideoControl::SetDisplayMode(uint32_t mode) {
    TOrderDisplayMode record{};
    record.mode = mode;
    const int32_t answer = SendRecord(kOrderDisplayMode, record);
    if (mode == kDisplayModeAsk) {
        return answer;
    }
    if (osd_ != nullptr && record.mode == kDisplayModeWindow) {
        osd_->ShowCommand(u"Osd_Window");
    } else if (osd_ != nullptr && record.mode == kDisplayModeFullScreen) {
        osd_->ShowCommand(u"Osd_FullScreen");
    }
    SendAspectSettings();
    Refresh(false);
    return answer;
}

int32_t TVideoControl::GetDisplayMode() {
    TOrderDisplayMode record{};
    record.mode = kDisplayModeAsk;
    return SendRecord(kOrderDisplayMode, record) == 0 ? static_cast<int32_t>(record.mode) : -1;
}

void TVideoControl::SetAspectOptions(bool apply, bool windowOnly) {
    applyAspect_ = apply;
    windowOnly_ = windowOnly;
    SendAspectSettings();
}

bool TVideoControl::GetAspectSettings(TAspectSettings* settings) const {
    if (settings == nullptr) {
        return false;
    }
    *settings = aspect_;
    return true;
}

int32_t TVideoControl::SetAspectSettings(const TAspectSettings* settings) {
    aspect_ = settings != nullptr ? *settings : TAspectSettings{};
    return SendAspectSettings();
}

int32_t TVideoControl::SendAspectSettings() {
    TAspectSettings sent = aspect_;
    const bool fullScreen = GetDisplayMode() == static_cast<int32_t>(kDisplayModeFullScreen);
    sent.Apply = fullScreen && windowOnly_ ? 0 : (applyAspect_ ? 1 : 0);
    TOrderVideoLayout record{};
    static_assert(sizeof(record) - sizeof(record.head) == sizeof(sent));
    std::memcpy(reinterpret_cast<uint8_t*>(&record) + sizeof(record.head), &sent, sizeof(sent));
    return SendRecord(kOrderVideoLayout, record);
}

int32_t TVideoControl::SwitchResolution(int32_t kind) {
    if (displayModes_ == nullptr) {
        return -1;
    }
    std::optional<plat::display::DisplayMode> target;
    if (kind == kSwitchToSettings) {
        if (!IsResolutionSwitchOn()) {
            return -1;
        }
        target = plat::display::DisplayMode{aspect_.SwitchWidth, aspect_.SwitchHeight, aspect_.SwitchBits,
                                            aspect_.SwitchFrequency};
    } else if (kind == kSwitchBack) {
        target = displayModes_->StartMode();
        if (target && target == displayModes_->CurrentMode()) {
            return 1;
        }
    }
    if (!target || !displayModes_->Test(*target)) {
        return -1;
    }
    return displayModes_->Apply(*target) ? 0 : -1;
}

TScreenSize TVideoControl::ScreenSize() const {
    const std::optional<plat::display::DisplayMode> mode =
        displayModes_ != nullptr ? displayModes_->CurrentMode() : std::nullopt;
    return mode ? TScreenSize{mode->width, mode->height} : TScreenSize{};
}

bool TVideoControl::ApplyAspectRatioFile(const char16_t* path) {
    std::u16string text;
    if (path == nullptr || !ReadTextFileW(path, text)) {
        return false;
    }
    TAspectSettings settings = aspect_;
    ParseAspectRatioXml(text.c_str(), &settings, ScreenSize());
    SetAspectSettings(&settings);
    return true;
}

void TVideoControl::SetAspectRatioFile(const char16_t* path) {
    aspectFile_ = path != nullptr && *path != 0 ? std::optional<std::u16string>(path) : std::nullopt;
}

bool TVideoControl::AspectRatioFileExists() const {
    std::error_code error;
    return aspectFile_ && std::filesystem::is_regular_file(plat::text::WideToAnsi(*aspectFile_), error);
}
