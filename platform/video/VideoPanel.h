#pragma once
// The host's video panel as a Qt widget: it paints the video surface (frame, subtitle and message
// layers, border) at its own size, and paints again whenever the surface asks or a frame arrives. It
// tells the surface the size it shows the picture at, so that large frames come already scaled to it.
#include "platform/video/VideoSurface.h"

#include <QWidget>

#include <memory>

namespace plat::video {

class VideoPanel : public QWidget {
public:
    explicit VideoPanel(std::shared_ptr<VideoSurface> surface, QWidget* parent = nullptr);
    ~VideoPanel() override;
    VideoPanel(const VideoPanel&) = delete;
    VideoPanel& operator=(const VideoPanel&) = delete;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Safe from any thread: the update runs on the panel's thread, and not after the panel is gone.
    void UpdateLater();
    void AskForShownSize();

    std::shared_ptr<VideoSurface> surface_;
    VideoSurface::ListenerId listener_ = 0;
};

} // namespace plat::video
