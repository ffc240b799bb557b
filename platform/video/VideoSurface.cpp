#include "platform/video/VideoSurface.h"

#include <algorithm>
#include <utility>

namespace plat::video {

namespace {

std::size_t Index(OverlayLayer layer) {
    return static_cast<std::size_t>(layer);
}

// Opaque pixels of the key's colour become fully transparent; every other pixel keeps its alpha.
QImage KeyedOut(const QImage& image, QRgb key) {
    QImage keyed = image.convertToFormat(VideoSurface::kLayerFormat);
    const QRgb opaqueKey = key | 0xff000000u;
    for (int y = 0; y < keyed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        std::replace(line, line + keyed.width(), opaqueKey, QRgb{0});
    }
    return keyed;
}

} // namespace

void VideoSurface::PresentFrame(QImage image, PixelAspect pixelAspect,
                                std::optional<std::chrono::nanoseconds> streamTime) {
    if (image.isNull()) {
        return;
    }
    if (image.format() != kFrameFormat) {
        image.convertTo(kFrameFormat);
    }
    VideoFrame presented;
    {
        std::lock_guard lock(frameMutex_);
        frame_.image = std::move(image);
        frame_.pixelAspect = pixelAspect;
        frame_.streamTime = streamTime;
        ++frame_.number;
        presented = frame_;
    }
    std::lock_guard lock(listenerMutex_);
    for (const auto& [id, listener] : listeners_) {
        listener(presented);
    }
}

VideoFrame VideoSurface::Frame() const {
    std::lock_guard lock(frameMutex_);
    return frame_;
}

std::uint64_t VideoSurface::FrameCount() const {
    std::lock_guard lock(frameMutex_);
    return frame_.number;
}

VideoSurface::ListenerId VideoSurface::AddFrameListener(FrameListener listener) {
    std::lock_guard lock(listenerMutex_);
    const ListenerId id = nextListenerId_++;
    listeners_.emplace_back(id, std::move(listener));
    return id;
}

void VideoSurface::RemoveFrameListener(ListenerId id) {
    std::lock_guard lock(listenerMutex_);
    std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

void VideoSurface::SetLayer(OverlayLayer which, QImage image, QRect source) {
    Layer layer;
    layer.source = source.isNull() ? image.rect() : source.intersected(image.rect());
    layer.original = std::move(image);
    std::lock_guard lock(layerMutex_);
    ApplyKey(layer, which);
    layers_[Index(which)] = std::move(layer);
}

void VideoSurface::ClearLayer(OverlayLayer layer) {
    SetLayer(layer, QImage());
}

QImage VideoSurface::LayerImage(OverlayLayer layer) const {
    std::lock_guard lock(layerMutex_);
    return layers_[Index(layer)].shown;
}

void VideoSurface::SetColorKey(QRgb key) {
    std::lock_guard lock(layerMutex_);
    colorKey_ = qRgb(qRed(key), qGreen(key), qBlue(key));
    ApplyKey(layers_[Index(OverlayLayer::Subtitle)], OverlayLayer::Subtitle);
}

QRgb VideoSurface::ColorKey() const {
    std::lock_guard lock(layerMutex_);
    return colorKey_;
}

// Callers hold the lock.
void VideoSurface::ApplyKey(Layer& layer, OverlayLayer which) const {
    if (layer.original.isNull()) {
        layer.shown = QImage();
    } else if (which == OverlayLayer::Subtitle) {
        layer.shown = KeyedOut(layer.original, colorKey_);
    } else {
        layer.shown = layer.original.convertToFormat(kLayerFormat);
    }
}

void VideoSurface::Compose(QPainter& painter, const QRectF& destination) const {
    const VideoFrame frame = Frame();
    std::array<Layer, kLayerCount> layers;
    {
        std::lock_guard lock(layerMutex_);
        layers = layers_;
    }
    painter.save();
    if (frame.image.isNull()) {
        painter.fillRect(destination, Qt::black);
    } else {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.drawImage(destination, frame.image);
    }
    // Layers are stretched without filtering, so keyed-out pixels never blend into their neighbours.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (const Layer& layer : layers) {
        if (!layer.shown.isNull() && !layer.source.isEmpty()) {
            painter.drawImage(destination, layer.shown, layer.source);
        }
    }
    painter.restore();
}

} // namespace plat::video
