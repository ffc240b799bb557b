#include "player/ui/TScriptMainWindow.h"

#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"
#include "platform/win/Message.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/profiles/TProfileSubtitles.h"
#include "player/ui/TDVDMain.h"
#include "player/ui/TFullscreen.h"
#include "player/ui/TMainActions.h"
#include "player/ui/TMainFormEvents.h"
#include "player/ui/TPlayerSkin.h"
#include "player/ui/TScriptBridge.h"
#include "player/ui/TVideo.h"

#include <QAction>

namespace {

// Screen modes of TDVDMain::SetScreenMode.
constexpr int32_t kScreenWindow = 1;
constexpr int32_t kScreenFull = 2;

} // namespace

TScriptMainWindow::TScriptMainWindow(TDVDMain& main, TMainActions& actions, TScriptBridge& bridge)
    : main_(main), actions_(actions), bridge_(bridge) {}

std::optional<std::string> TScriptMainWindow::FindActionByCommand(const std::string& command) {
    // "AC_PLAY" names the command "PLAY" too.
    constexpr std::string_view kPrefix = "ac_";
    std::string name = command;
    if (name.size() > kPrefix.size() &&
        plat::text::EqualsNoCaseA(std::string_view(name).substr(0, kPrefix.size()), kPrefix)) {
        name.erase(0, kPrefix.size());
    }
    const QAction* action = bridge_.FindActionByCommand(name, nullptr);
    return action != nullptr ? std::optional<std::string>(action->objectName().toStdString()) : std::nullopt;
}

void TScriptMainWindow::ExecuteAction(const std::string& action) {
    if (QAction* found = actions_.Find(action)) {
        found->trigger();
    }
}

void TScriptMainWindow::SetActionChecked(const std::string& action, bool checked) {
    if (QAction* found = actions_.Find(action)) {
        found->setChecked(checked);
    }
}

void TScriptMainWindow::ExecuteRemoteCode(const std::string& code) {
    bridge_.ExecuteRemoteCode(code);
}

void TScriptMainWindow::PostMessage(uint32_t message) {
    plat::win::PostMessage(main_.Handle(), message, 0, 0);
}

bool TScriptMainWindow::DirectControl() const {
    return actions_.DirectControl();
}

void TScriptMainWindow::SetDirectControl(bool on) {
    actions_.SetDirectControl(on);
}

plat::win::HWND TScriptMainWindow::Handle() const {
    return main_.Handle();
}

std::optional<uint8_t> TScriptMainWindow::VideoMode() const {
    const TVideo* video = main_.VideoForm();
    return video != nullptr ? std::optional<uint8_t>(video->Mode()) : std::nullopt;
}

void TScriptMainWindow::SetScreenMode(int32_t mode) {
    main_.SetScreenMode(mode);
}

void TScriptMainWindow::SetVideoStayOnTop(bool on) {
    if (QAction* action = actions_.Find("Ac_VideoOnTop")) {
        action->setChecked(on);
    }
    main_.SetVideoStayOnTop(on);
}

void TScriptMainWindow::ApplyVideoStayOnTop() {
    main_.ApplyVideoStayOnTop();
}

void TScriptMainWindow::SetContextMenuAllowed(bool allowed) {
    main_.SetContextMenuAllowed(allowed);
}

void TScriptMainWindow::ShowVideoCaption(bool shown) {
    if (TVideo* video = main_.VideoForm()) {
        if (auto* caption = video->findChild<QWidget*>("Pn_Caption")) {
            caption->setVisible(shown);
        }
    }
}

bool TScriptMainWindow::VideoHasSizingBorder() const {
    const TVideo* video = main_.VideoForm();
    return video != nullptr && !video->windowFlags().testFlag(Qt::FramelessWindowHint);
}

void TScriptMainWindow::SetVideoSizingBorder(bool on) {
    TVideo* video = main_.VideoForm();
    if (video == nullptr || VideoHasSizingBorder() == on) {
        return;
    }
    const bool visible = video->isVisible();
    video->setWindowFlag(Qt::FramelessWindowHint, !on);
    video->setVisible(visible);
}

TScriptRect TScriptMainWindow::VideoBounds() const {
    const TVideo* video = main_.VideoForm();
    if (video == nullptr) {
        return {};
    }
    const QRect frame = video->frameGeometry();
    return {frame.left(), frame.top(), frame.width(), frame.height()};
}

void TScriptMainWindow::SetVideoBounds(const TScriptRect& bounds) {
    if (TVideo* video = main_.VideoForm()) {
        video->move(bounds.Left, bounds.Top);
        video->resize(bounds.Width, bounds.Height);
    }
}

bool TScriptMainWindow::IsVideoWindowVisible() const {
    const TVideo* video = main_.VideoForm();
    return video != nullptr && video->isVisible();
}

void TScriptMainWindow::SetVideoWindowVisible(bool visible) {
    if (TVideo* video = main_.VideoForm()) {
        video->setVisible(visible);
    }
}

bool TScriptMainWindow::IsFullScreenWindowVisible() const {
    const TFullscreen* fullscreen = main_.FullscreenForm();
    return fullscreen != nullptr && fullscreen->isVisible();
}

void TScriptMainWindow::SetFullScreenWindowVisible(bool visible) {
    main_.SetScreenMode(visible ? kScreenFull : kScreenWindow);
}

void TScriptMainWindow::UpdateVideoBackground(int32_t backgroundSwitch) {
    main_.Events().UpdateBackground(backgroundSwitch);
}

void TScriptMainWindow::HideInterface() {
    main_.HideInterface();
}

void TScriptMainWindow::ShowInterface() {
    if (TPlayerSkin* skin = main_.Skin()) {
        skin->ShowInterface();
    }
}

int32_t TScriptMainWindow::OpenFile(const char16_t* media, const char16_t* profile, bool /*firstFlag*/,
                                    int32_t /*title*/, bool /*lastFlag*/) {
    const std::u16string file = media != nullptr ? media : u"";
    const std::u16string profileFile = profile != nullptr ? profile : u"";
    if (!file.empty()) {
        main_.OpenFile(plat::text::WideToAnsi(file));
        return 1;
    }
    TPlayControl* player = main_.PlayControl();
    auto* subtitles = player != nullptr
                          ? dynamic_cast<TProfileSubtitles*>(player->Controllers().ProfileSubtitles.get())
                          : nullptr;
    if (profileFile.empty() || subtitles == nullptr) {
        return 0;
    }
    return subtitles->Open(profileFile) == 0 ? 1 : 0;
}

void TScriptMainWindow::PlayQueueItem(int32_t index) {
    main_.PlayQueueItem(index < 0 ? main_.PlayQueue().GetCurrent() : index);
}
