#pragma once
// The host's video panel as a Qt widget: it paints the video surface (frame, subtitle and message
// layers, border) at its own size, and paints again whenever the surface asks or a frame arrives.
#include "platform/video/VideoSurface.h"

#include <QWidget>

#include <memory>

class VideoPanel : public QWidget {
public:
    explicit VideoPanel(std::shared_ptr<plat::video::VideoSurface> surface, QWidget* parent = nullptr);
    ~VideoPanel() override;
    VideoPanel(const VideoPanel&) = delete;
    VideoPanel& operator=(const VideoPanel&) = delete;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Safe from any thread: the update runs on the panel's thread, and not after the panel is gone.
    void UpdateLater();

    std::shared_ptr<plat::video::VideoSurface> surface_;
    plat::video::VideoSurface::ListenerId listener_ = 0;
};
