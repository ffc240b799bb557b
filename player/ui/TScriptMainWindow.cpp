#include "player/ui/TScriptMainWindow.h"

#include "platform/win/Message.h"
#include "player/ui/TDVDMain.h"
#include "player/ui/TFullscreen.h"
#include "player/ui/TMainActions.h"
#include "player/ui/TMainFormEvents.h"
#include "player/ui/TPlayerSkin.h"
#include "player/ui/TScriptBridge.h"
#include "player/ui/TVideo.h"

#include <QAction>

TScriptMainWindow::TScriptMainWindow(TDVDMain& main, TMainActions& actions, TScriptBridge& bridge)
    : main_(main), actions_(actions), bridge_(bridge) {}

// Commands are named without the actions' "Ac_" prefix: "AC_PLAY" names no command.
std::optional<std::string> TScriptMainWindow::FindActionByCommand(const std::string& command) {
    const QAction* action = bridge_.FindActionByCommand(command, nullptr);
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

// The bounds are the window's frame, as VideoBounds gives them: the inner size leaves the frame out.
void TScriptMainWindow::SetVideoBounds(const TScriptRect& bounds) {
    if (TVideo* video = main_.VideoForm()) {
        const QSize frame = video->frameGeometry().size() - video->size();
        video->move(bounds.Left, bounds.Top);
        video->resize(bounds.Width - frame.width(), bounds.Height - frame.height());
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

// Only the window's visibility: the screen mode stays as it is.
void TScriptMainWindow::SetFullScreenWindowVisible(bool visible) {
    if (TFullscreen* fullscreen = main_.FullscreenForm()) {
        fullscreen->setVisible(visible);
    }
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

// Through the opener, as every other way of opening: a profile alone is loaded for the current media
// with its name shown and kept in the media's disc information.
int32_t TScriptMainWindow::OpenFile(const char16_t* media, const char16_t* profile, bool dontPlay,
                                    int32_t title, bool dontStartList) {
    return main_.Opener().OpenFile(media != nullptr ? media : u"", profile != nullptr ? profile : u"",
                                   dontPlay, title, dontStartList);
}

void TScriptMainWindow::PlayQueueItem(int32_t index) {
    main_.PlayQueueItem(index < 0 ? main_.PlayQueue().GetCurrent() : index);
}
