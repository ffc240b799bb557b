#pragma once
// The picture the host's video panel paints: the latest video frame, written by the renderer on a
// streaming thread, and the overlay layers over it (subtitles, on-screen messages), written by the
// components that draw them. Every operation is thread-safe.
#include "platform/video/VideoFrame.h"

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QRectF>
#include <QRgb>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

namespace plat::video {

// How the picture fills its video rectangle.
enum class AspectMode {
    LetterBox, // whole, at its display aspect, centred
    Stretch,   // stretched over the rectangle
    Crop,      // at its display aspect, covering the rectangle; what lies outside is cut off
};

enum class OverlayLayer {
    Subtitle, // pixels of the colour key are transparent: the video shows through them
    Message,  // on-screen messages, drawn with their own alpha, above the subtitles
};

class VideoSurface {
public:
    // 32-bit 0xffRRGGBB, which is the renderer's BGRx in memory on little-endian machines.
    static constexpr QImage::Format kFrameFormat = QImage::Format_RGB32;
    static constexpr QImage::Format kLayerFormat = QImage::Format_ARGB32_Premultiplied;

    // Called on the renderer's streaming thread after the frame is stored; it must not block, and must
    // not add or remove listeners.
    using FrameListener = std::function<void(const VideoFrame&)>;
    using ListenerId = std::uint64_t;

    // Stores the frame as the latest one (converted to kFrameFormat when it is not in it), counts it and
    // tells the listeners. A null image is ignored. `native` is given when `image` was scaled to the
    // shown size.
    void PresentFrame(QImage image, PixelAspect pixelAspect,
                      std::optional<std::chrono::nanoseconds> streamTime = std::nullopt,
                      std::optional<NativePicture> native = std::nullopt);
    VideoFrame Frame() const;
    std::uint64_t FrameCount() const;

    ListenerId AddFrameListener(FrameListener listener);
    // Returns once a call of that listener under way on another thread has finished.
    void RemoveFrameListener(ListenerId id);

    // The layer shows `source` of the image stretched over the whole video rectangle; a null image
    // clears it. The subtitle layer's colour-key pixels become transparent. `painted`, when given, is
    // where the image holds anything but transparency: only that part is searched for the key, and the
    // image is copied only when the key is found there.
    void SetLayer(OverlayLayer layer, QImage image, QRect source = {}, std::optional<QRect> painted = {});
    void ClearLayer(OverlayLayer layer);
    // The layer as Compose draws it (kLayerFormat), null when it is empty.
    QImage LayerImage(OverlayLayer layer) const;
    void SetColorKey(QRgb key);
    QRgb ColorKey() const;

    // Paints the latest frame stretched into `destination` (black before the first frame), then the
    // subtitle layer and the message layer over the same rectangle.
    void Compose(QPainter& painter, const QRectF& destination) const;

    // Where the host's window shows the picture, in its client coordinates; a null rectangle is the
    // whole client area. Outside it the window shows the border colour.
    void SetVideoRect(QRect rect);
    QRect VideoRect() const;
    void SetBorderColor(QRgb colour);
    QRgb BorderColor() const;
    void SetAspectMode(AspectMode mode);
    AspectMode GetAspectMode() const;
    // The picture's place inside `videoRect` for the latest frame's display aspect and the aspect
    // mode (larger than the rectangle when cropping); `videoRect` itself before the first frame.
    QRect PictureRect(const QRect& videoRect) const;
    // The video rectangle in a window of the given client size.
    QRect VideoRectIn(const QSize& client) const;
    // Paints the host's window of the given client size: the picture with its layers, cut to the
    // video rectangle, and the border colour everywhere else (letter-box bars included).
    void Paint(QPainter& painter, const QSize& client) const;
    // The picture as the window shows it, at the latest frame's native size: the native picture with the
    // layers mixed over it; null before the first frame.
    QImage DisplayedImage() const;

    // The size, in device pixels, at which the host's panel paints the picture when that is smaller than
    // the native size; empty when it paints it at the native size or larger, or no panel shows it. The
    // renderer scales frames to it, which is cheaper and smoother than scaling each one as it is painted.
    void SetShownSize(QSize size);
    QSize ShownSize() const;

    // The host's panel asks to be told when the window must be painted again (the layers or the
    // placement changed); the call may come on any thread and must not block. New frames are told
    // through the frame listeners.
    void SetRepaintRequest(std::function<void()> request);
    void RequestRepaint() const;

private:
    struct Layer {
        QImage original; // as it was given, kept so that a new colour key can be applied to it
        QImage shown;    // kLayerFormat, keyed for the subtitle layer
        QRect source;
        std::optional<QRect> painted; // the part that may hold the key; none: all of it
    };
    static constexpr std::size_t kLayerCount = 2;

    void ApplyKey(Layer& layer, OverlayLayer which) const;
    void Compose(QPainter& painter, const VideoFrame& frame, const QRectF& destination) const;

    // Apart, so that keying a large layer never holds up the streaming thread.
    mutable std::mutex frameMutex_;
    VideoFrame frame_;
    mutable std::mutex layerMutex_; // the layers, the key and the placement
    std::array<Layer, kLayerCount> layers_;
    QRgb colorKey_ = qRgb(0, 0, 0);
    QRect videoRect_;
    QRgb borderColor_ = qRgb(0, 0, 0);
    AspectMode aspectMode_ = AspectMode::LetterBox;
    QSize shownSize_;
    std::function<void()> repaintRequest_;

    std::mutex listenerMutex_; // held while listeners run, so that removing one waits for its call
    std::vector<std::pair<ListenerId, FrameListener>> listeners_;
    ListenerId nextListenerId_ = 1;
};

} // namespace plat::video
