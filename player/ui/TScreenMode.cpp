#include "player/ui/TScreenMode.h"

#include "player/model/controllers/IVideoControl.h"
#include "player/model/hub/TPlayControl.h"
#include "player/ui/TFullscreen.h"
#include "player/ui/skin/TSkinForm.h"
#include "player/ui/skin/TSkinScript.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

IVideoControl* VideoControl(TPlayControl* play) {
    return play != nullptr ? play->Controllers().Video.get() : nullptr;
}

// The hourglass while the switch runs.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

QWidget& TScreenMode::Anchor() const {
    return mode_ == kFullScreen ? static_cast<QWidget&>(fullscreen_) : video_;
}

int32_t TScreenMode::Resolve(int32_t requested, TPlayControl* play) const {
    if (requested != kToggle) {
        return requested;
    }
    IVideoControl* video = VideoControl(play);
    const int32_t current = video != nullptr && video->GetDisplayMode() > 0 ? video->GetDisplayMode() : mode_;
    return current == kFullScreen ? kWindow : kFullScreen;
}

void TScreenMode::Set(int32_t mode, TPlayControl* play, TSkinScript* skin) {
    const WaitCursor wait;
    mode = Resolve(mode, play);
    if (mode != kWindow && mode != kFullScreen) {
        return;
    }
    IVideoControl* video = VideoControl(play);
    const bool switchesResolution = video != nullptr && video->IsResolutionSwitchOn();
    if (switchesResolution) {
        play->SuspendForModeSwitch();
    }
    if (video != nullptr) {
        video->SwitchResolution(mode);
    }
    if (switchesResolution) {
        play->ResumeAfterModeSwitch(false);
        video->Refresh(true);
    }
    mode_ = mode;
    if (mode == kWindow) {
        ShowWindowMode(skin);
    } else {
        ShowFullScreen(skin);
    }
    if (video != nullptr) {
        video->SetDisplayMode(static_cast<uint32_t>(mode));
        video->Refresh(false);
    }
}

// The skin's windows that stand in the video belong to the window of the mode before they show, so
// that the window manager keeps them over it (a window covering a whole monitor is stacked above
// plain windows otherwise).
void TScreenMode::LendInVideoForms(TSkinScript& skin, QWidget& anchor) {
    anchor.winId();
    for (const auto& form : skin.Forms()) {
        if (form->Anchor() != SkinAnchor::None) {
            form->winId();
            form->windowHandle()->setTransientParent(anchor.windowHandle());
        }
    }
}

void TScreenMode::ShowWindowMode(TSkinScript* skin) {
    fullscreen_.hide();
    video_.show();
    video_.raise();
    if (skin != nullptr) {
        LendInVideoForms(*skin, video_);
        skin->SwitchScreenMode(false);
    }
}

QRect TScreenMode::FullScreenBounds(const QWidget& video) {
    // The monitor of the video window itself: the main form is never shown and has none.
    const QScreen* monitor = QGuiApplication::screenAt(video.frameGeometry().center());
    if (monitor == nullptr) {
        monitor = QGuiApplication::primaryScreen();
    }
    return monitor != nullptr ? monitor->geometry() : QRect();
}

void TScreenMode::ShowFullScreen(TSkinScript* skin) {
    const QRect bounds = FullScreenBounds(video_);
    video_.hide();
    fullscreen_.setGeometry(bounds);
    fullscreen_.update();
    fullscreen_.show();
    fullscreen_.raise();
    fullscreen_.activateWindow();
    if (skin != nullptr) {
        LendInVideoForms(*skin, fullscreen_);
        skin->SwitchScreenMode(true);
    }
}
