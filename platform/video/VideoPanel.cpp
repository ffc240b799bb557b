#include "platform/video/VideoPanel.h"

#include <QMetaObject>
#include <QPainter>

namespace plat::video {

VideoPanel::VideoPanel(std::shared_ptr<VideoSurface> surface, QWidget* parent)
    : QWidget(parent), surface_(std::move(surface)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    surface_->SetRepaintRequest([this] { UpdateLater(); });
    listener_ = surface_->AddFrameListener([this](const VideoFrame&) { UpdateLater(); });
}

VideoPanel::~VideoPanel() {
    surface_->RemoveFrameListener(listener_);
    surface_->SetRepaintRequest({});
}

void VideoPanel::UpdateLater() {
    QMetaObject::invokeMethod(
        this, [this] { update(); }, Qt::QueuedConnection);
}

void VideoPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    surface_->Paint(painter, size());
}

} // namespace plat::video
