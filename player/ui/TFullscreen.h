#pragma once
// The full-screen window: a borderless form that covers one whole monitor in full-screen mode and
// paints the same video surface as the video window, with the background picture over it while no
// video is shown. The user cannot close it; it goes with the player. The wheel and the double click
// run the main form's functions for them; Escape, when the key map does not take it, goes back to the
// window mode.
#include "platform/video/VideoSurface.h"
#include "platform/win/Types.h"
#include "player/ui/IFullscreenHost.h"

#include <QWidget>

#include <memory>

class TBackgroundImage;
class TVideoPanelWindow;

class TFullscreen : public QWidget {
public:
    // The host must outlive the window.
    explicit TFullscreen(IFullscreenHost& host);
    ~TFullscreen() override;

    // The window the core lays the full-screen picture and subtitles out in.
    plat::win::HWND Handle() const;
    // Paints `surface` from now on; null paints black.
    void ShowSurface(std::shared_ptr<plat::video::VideoSurface> surface);
    // The picture shown while no video is (not owned; null for none).
    void SetBackgroundBitmap(const QImage* bitmap);
    // A state of 0 or more switches the background off (0) or on; -1 keeps it; then it is drawn.
    void UpdateBackground(int state);
    TBackgroundImage& Background() const { return *background_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    IFullscreenHost& host_;
    QWidget* panel_ = nullptr;
    TBackgroundImage* background_;
    std::unique_ptr<TVideoPanelWindow> window_;
};
