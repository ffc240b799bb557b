#include "core/src/engine/TEnginePlacement.h"

#include "core/src/framework/TCoreLogFile.h"
#include "core/src/layout/CutTowardZero.h"
#include "platform/dvd/DvdNavigator.h"
#include "platform/gdi/Colour.h"
#include "platform/gdi/ImageDc.h"
#include "platform/win/Window.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace win = plat::win;
using plat::media::E_FAIL;
using plat::media::HResult;
using plat::media::S_OK;
using plat::video::AspectMode;

namespace {

// The box of ratio `r` fitted into (width, height), writing both values.
TScreenSize FitBox(double r, TScreenSize box) {
    if (box.width <= box.height) {
        const double h = box.width / r;
        return h <= box.height ? TScreenSize{box.width, CutTowardZero(h)}
                               : TScreenSize{CutTowardZero(box.height * r), box.height};
    }
    const double w = box.height * r;
    return w <= box.width ? TScreenSize{CutTowardZero(w), box.height}
                          : TScreenSize{box.width, CutTowardZero(box.width / r)};
}

} // namespace

TEnginePlacement::TEnginePlacement(TEngineContext& context,
                                   std::shared_ptr<plat::video::VideoSurface> surface)
    : context_(context), surface_(std::move(surface)) {}

bool TEnginePlacement::Windowless() const {
    return surface_ != nullptr && context_.located.windowless;
}

bool TEnginePlacement::SetVideoRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    if (!Windowless()) {
        return false;
    }
    windowlessRect_ = {x, y, x + width, y + height};
    surface_->SetVideoRect(QRect(x, y, width, height));
    return true;
}

bool TEnginePlacement::GetVideoSizes(TVideoSizes& sizes) const {
    RECT window{};
    win::GetWindowRect(context_.window, &window);
    sizes.window = {std::abs(window.right - window.left), std::abs(window.bottom - window.top)};
    if (!Windowless()) {
        sizes.native = sizes.window;
        sizes.aspectBox = sizes.window;
        return false;
    }
    double aspect = 0.0;
    plat::dvd::DvdVideoAttributes video{};
    if (context_.dvd != nullptr && plat::media::Succeeded(context_.dvd->GetCurrentVideoAttributes(&video)) &&
        video.aspectY != 0) {
        aspect = static_cast<double>(video.aspectX) / video.aspectY;
    }
    const plat::video::VideoFrame frame = surface_->Frame();
    if (frame.image.isNull()) {
        sizes.native = {};
        sizes.aspectBox = {};
        return false;
    }
    // The picture's display aspect as a box as high as the picture.
    const plat::video::PixelAspect pixel = frame.pixelAspect;
    std::int32_t width = frame.NativeSize().width();
    const std::int32_t height = frame.NativeSize().height();
    std::int32_t aspectWidth =
        pixel.denominator > 0
            ? CutTowardZero(static_cast<double>(width) * pixel.numerator / pixel.denominator)
            : width;
    const std::int32_t aspectHeight = height;
    if (aspect != 0.0) {
        aspectWidth = CutTowardZero(aspectHeight * aspect);
    }
    if (aspectHeight != 0) {
        width = CutTowardZero(static_cast<double>(aspectWidth) / aspectHeight * height);
    }
    sizes.native = {width, height};
    sizes.aspectBox = FitBox(static_cast<double>(width) / height, {aspectWidth, aspectHeight});
    return true;
}

bool TEnginePlacement::GetNativeSize(RECT& rect) const {
    if (!Windowless()) {
        return false;
    }
    const QSize size = surface_->Frame().NativeSize();
    if (size.isEmpty()) {
        return false;
    }
    rect = {0, 0, size.width(), size.height()};
    return true;
}

bool TEnginePlacement::HasNativeVideo() const {
    RECT rect{};
    return GetNativeSize(rect) && (rect.right != 0 || rect.bottom != 0);
}

bool TEnginePlacement::ApplyColorKey(std::uint32_t colour, bool keepStored) {
    if (!keepStored) {
        colorKey_ = colour;
    }
    if (surface_ == nullptr) {
        TCoreLogFile::Instance().WriteNarrow("\nSETCOLORKEY : %s", "No MixerPinConfig interface");
        return false;
    }
    surface_->SetColorKey(plat::gdi::ToArgb(colorKey_));
    return true;
}

void TEnginePlacement::ApplyBorderColor(std::uint32_t colour) {
    borderColor_ = colour;
    if (surface_ != nullptr && surface_->BorderColor() != plat::gdi::ToArgb(colour)) {
        surface_->SetBorderColor(plat::gdi::ToArgb(colour));
    }
}

void TEnginePlacement::Repaint() const {
    if (surface_ != nullptr) {
        surface_->RequestRepaint();
    }
}

bool TEnginePlacement::ShowVideoCursor(bool) const {
    return false;
}

bool TEnginePlacement::SetAspectMode(std::uint32_t mode) {
    if (surface_ == nullptr) {
        return false;
    }
    surface_->SetAspectMode(mode == kStretched ? AspectMode::Stretch
                            : mode == kCrop    ? AspectMode::Crop
                                               : AspectMode::LetterBox);
    return true;
}

HResult TEnginePlacement::MixOverlayBitmap(const QImage& picture, const RECT& source,
                                           std::optional<QRect> painted) {
    if (!Windowless()) {
        return E_FAIL;
    }
    const QRect part(source.left, source.top, source.right - source.left, source.bottom - source.top);
    if (picture.isNull() || !part.intersects(picture.rect())) {
        TCoreLogFile::Instance().WriteNarrow("--> ");
        return E_FAIL;
    }
    surface_->SetLayer(plat::video::OverlayLayer::Subtitle, picture, part, painted);
    return S_OK;
}

plat::media::HResult TEnginePlacement::MixOverlayText(std::u16string_view text) {
    constexpr plat::gdi::ColourRef kYellow = 0x00FFFF;
    if (!Windowless()) {
        return S_OK;
    }
    RECT native{};
    if (!GetNativeSize(native)) {
        return E_FAIL;
    }
    QImage picture(native.right, native.bottom, plat::video::VideoSurface::kLayerFormat);
    picture.fill(QColor::fromRgb(plat::gdi::ToArgb(colorKey_)));
    {
        plat::gdi::ImageDc dc(picture);
        const std::unique_ptr<plat::gdi::Font> font = dc.CreateFont(plat::gdi::LogFont{});
        plat::gdi::Font* previous = dc.SelectFont(font.get());
        dc.SetBkColor(colorKey_);
        dc.SetBkMode(plat::gdi::BkMode::Opaque);
        dc.SetTextColor(kYellow);
        dc.TextOut(0, 0, text);
        dc.SelectFont(previous);
    }
    return MixOverlayBitmap(picture, native);
}
