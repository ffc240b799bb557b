#include "core/tests/screen/VideoPanel.h"

#include <QMetaObject>
#include <QPainter>

VideoPanel::VideoPanel(std::shared_ptr<plat::video::VideoSurface> surface, QWidget* parent)
    : QWidget(parent), surface_(std::move(surface)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    surface_->SetRepaintRequest([this] { UpdateLater(); });
    listener_ = surface_->AddFrameListener([this](const plat::video::VideoFrame&) { UpdateLater(); });
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
