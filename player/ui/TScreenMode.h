#pragma once
// Switches the player between the video window and the full-screen window: optionally the display's
// mode with it (playback stops for the switch and goes on from where it was), the full-screen window
// over the whole monitor that holds the video window, the skin's windows of the mode, and the core told
// which window it draws into.
#include <QRect>

#include <cstdint>

class QWidget;
class TFullscreen;
class TPlayControl;
class TSkinScript;

class TScreenMode {
public:
    static constexpr int32_t kWindow = 1;
    static constexpr int32_t kFullScreen = 2;
    static constexpr int32_t kToggle = 3; // a request only

    TScreenMode(QWidget& video, TFullscreen& fullscreen) : video_(video), fullscreen_(fullscreen) {}

    // Window (1), full screen (2) or the other of the current one (3); other values change nothing.
    // Full screen again while in full screen takes the monitor's bounds and tells the core again.
    void Set(int32_t mode, TPlayControl* play, TSkinScript* skin);
    // The mode set last.
    int32_t Mode() const { return mode_; }
    // The window the skin's windows stand around: the full-screen window in full screen.
    QWidget& Anchor() const;

    // The whole monitor the video window is on; the primary screen when it is on none.
    static QRect FullScreenBounds(const QWidget& video);

private:
    int32_t Resolve(int32_t requested, TPlayControl* play) const;
    void ShowWindowMode(TSkinScript* skin);
    void ShowFullScreen(TSkinScript* skin);
    static void LendInVideoForms(TSkinScript& skin, QWidget& anchor);

    QWidget& video_;
    TFullscreen& fullscreen_;
    int32_t mode_ = kWindow;
};
