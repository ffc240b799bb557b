#include "platform/video/VideoSurface.h"

#include <QRegion>

#include <algorithm>
#include <utility>

namespace plat::video {

namespace {

std::size_t Index(OverlayLayer layer) {
    return static_cast<std::size_t>(layer);
}

// Opaque pixels of the key's colour within `painted` become fully transparent; every other pixel keeps
// its alpha. The image is shared, not copied, while no such pixel is found.
QImage KeyedOut(const QImage& image, QRgb key, const std::optional<QRect>& painted) {
    QImage keyed = image.format() == VideoSurface::kLayerFormat
                       ? image
                       : image.convertToFormat(VideoSurface::kLayerFormat);
    const QRgb opaqueKey = key | 0xff000000u;
    const QRect area = painted ? painted->intersected(keyed.rect()) : keyed.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(keyed.constScanLine(y)) + area.left();
        if (std::find(line, line + area.width(), opaqueKey) == line + area.width()) {
            continue;
        }
        auto* writable = reinterpret_cast<QRgb*>(keyed.scanLine(y)) + area.left();
        std::replace(writable, writable + area.width(), opaqueKey, QRgb{0});
    }
    return keyed;
}

} // namespace

void VideoSurface::PresentFrame(QImage image, PixelAspect pixelAspect,
                                std::optional<std::chrono::nanoseconds> streamTime,
                                std::optional<NativePicture> native) {
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
        frame_.native = std::move(native);
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

void VideoSurface::SetLayer(OverlayLayer which, QImage image, QRect source, std::optional<QRect> painted) {
    Layer layer;
    layer.source = source.isNull() ? image.rect() : source.intersected(image.rect());
    layer.painted = painted;
    layer.original = std::move(image);
    {
        std::lock_guard lock(layerMutex_);
        ApplyKey(layer, which);
        layers_[Index(which)] = std::move(layer);
    }
    RequestRepaint();
}

void VideoSurface::ClearLayer(OverlayLayer layer) {
    SetLayer(layer, QImage());
}

QImage VideoSurface::LayerImage(OverlayLayer layer) const {
    std::lock_guard lock(layerMutex_);
    return layers_[Index(layer)].shown;
}

void VideoSurface::SetColorKey(QRgb key) {
    {
        std::lock_guard lock(layerMutex_);
        colorKey_ = qRgb(qRed(key), qGreen(key), qBlue(key));
        ApplyKey(layers_[Index(OverlayLayer::Subtitle)], OverlayLayer::Subtitle);
    }
    RequestRepaint();
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
        layer.shown = KeyedOut(layer.original, colorKey_, layer.painted);
    } else {
        layer.shown = layer.original.convertToFormat(kLayerFormat);
    }
}

void VideoSurface::Compose(QPainter& painter, const QRectF& destination) const {
    Compose(painter, Frame(), destination);
}

void VideoSurface::Compose(QPainter& painter, const VideoFrame& frame, const QRectF& destination) const {
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

void VideoSurface::SetVideoRect(QRect rect) {
    {
        std::lock_guard lock(layerMutex_);
        videoRect_ = rect;
    }
    RequestRepaint();
}

QRect VideoSurface::VideoRect() const {
    std::lock_guard lock(layerMutex_);
    return videoRect_;
}

void VideoSurface::SetBorderColor(QRgb colour) {
    {
        std::lock_guard lock(layerMutex_);
        borderColor_ = qRgb(qRed(colour), qGreen(colour), qBlue(colour));
    }
    RequestRepaint();
}

QRgb VideoSurface::BorderColor() const {
    std::lock_guard lock(layerMutex_);
    return borderColor_;
}

void VideoSurface::SetAspectMode(AspectMode mode) {
    {
        std::lock_guard lock(layerMutex_);
        aspectMode_ = mode;
    }
    RequestRepaint();
}

AspectMode VideoSurface::GetAspectMode() const {
    std::lock_guard lock(layerMutex_);
    return aspectMode_;
}

QRect VideoSurface::PictureRect(const QRect& videoRect) const {
    const VideoFrame frame = Frame();
    const AspectMode mode = GetAspectMode();
    if (frame.image.isNull() || mode == AspectMode::Stretch || videoRect.isEmpty()) {
        return videoRect;
    }
    const QSize native = frame.NativeSize();
    const double displayWidth = static_cast<double>(native.width()) * frame.pixelAspect.numerator;
    const double displayHeight = static_cast<double>(native.height()) * frame.pixelAspect.denominator;
    if (displayWidth <= 0.0 || displayHeight <= 0.0) {
        return videoRect;
    }
    const double widthScale = videoRect.width() / displayWidth;
    const double heightScale = videoRect.height() / displayHeight;
    const double scale =
        mode == AspectMode::Crop ? std::max(widthScale, heightScale) : std::min(widthScale, heightScale);
    const QSize size(static_cast<int>(displayWidth * scale + 0.5),
                     static_cast<int>(displayHeight * scale + 0.5));
    return {QPoint(videoRect.left() + (videoRect.width() - size.width()) / 2,
                   videoRect.top() + (videoRect.height() - size.height()) / 2),
            size};
}

QRect VideoSurface::VideoRectIn(const QSize& client) const {
    const QRect video = VideoRect();
    return video.isNull() ? QRect(QPoint(0, 0), client) : video;
}

void VideoSurface::Paint(QPainter& painter, const QSize& client) const {
    const QRect clientRect(QPoint(0, 0), client);
    const QRect video = VideoRectIn(client);
    const QRect picture = PictureRect(video);
    const QRect shown = picture.intersected(video);
    painter.save();
    QRegion border(clientRect);
    border -= QRegion(shown);
    for (const QRect& part : border) {
        painter.fillRect(part, QColor::fromRgb(BorderColor()));
    }
    painter.setClipRect(shown);
    Compose(painter, picture);
    painter.restore();
}

QImage VideoSurface::DisplayedImage() const {
    VideoFrame frame = Frame();
    if (frame.image.isNull()) {
        return QImage();
    }
    frame.image = frame.NativeImage();
    if (frame.image.isNull()) {
        return QImage();
    }
    QImage image(frame.image.size(), kFrameFormat);
    QPainter painter(&image);
    Compose(painter, frame, QRectF(image.rect()));
    painter.end();
    return image;
}

void VideoSurface::SetShownSize(QSize size) {
    std::lock_guard lock(layerMutex_);
    shownSize_ = size.isEmpty() ? QSize() : size;
}

QSize VideoSurface::ShownSize() const {
    std::lock_guard lock(layerMutex_);
    return shownSize_;
}

void VideoSurface::SetRepaintRequest(std::function<void()> request) {
    std::lock_guard lock(layerMutex_);
    repaintRequest_ = std::move(request);
}

void VideoSurface::RequestRepaint() const {
    std::function<void()> request;
    {
        std::lock_guard lock(layerMutex_);
        request = repaintRequest_;
    }
    if (request) {
        request();
    }
}

} // namespace plat::video
