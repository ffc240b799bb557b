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
    surface_->SetShownSize({});
}

void VideoPanel::UpdateLater() {
    QMetaObject::invokeMethod(
        this, [this] { update(); }, Qt::QueuedConnection);
}

void VideoPanel::paintEvent(QPaintEvent*) {
    AskForShownSize();
    QPainter painter(this);
    surface_->Paint(painter, size());
}

// Frames larger than the picture shown come scaled to it; smaller ones are scaled up as painted.
void VideoPanel::AskForShownSize() {
    const QSize native = surface_->Frame().NativeSize();
    const QSize shown =
        (QSizeF(surface_->PictureRect(surface_->VideoRectIn(size())).size()) * devicePixelRatioF()).toSize();
    const bool smaller = shown.width() < native.width() && shown.height() < native.height();
    surface_->SetShownSize(smaller ? shown : QSize());
}

} // namespace plat::video
