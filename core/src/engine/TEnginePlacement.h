#pragma once
// How the engine puts the picture on the screen. Our renderers show the video on a video surface that
// the host's window paints, which plays the part of a windowless mixing renderer: the engine gives it
// the rectangle to place the video in, the border colour, the aspect mode and the colour key, reads
// the picture's native size and aspect from it, and hands it the subtitle picture to mix over the
// video. Everything here runs on the host thread.
#include "core/src/engine/TEngineContext.h"
#include "core/src/layout/TVideoSizes.h"
#include "platform/media/Result.h"
#include "platform/video/VideoSurface.h"

#include <QImage>

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

class TEnginePlacement {
public:
    using RECT = plat::win::RECT;

    // Aspect modes of the layout settings.
    static constexpr std::uint32_t kLetterBox = 0;
    static constexpr std::uint32_t kStretched = 1;
    static constexpr std::uint32_t kCrop = 2;

    TEnginePlacement(TEngineContext& context, std::shared_ptr<plat::video::VideoSurface> surface);

    // A mixing renderer shows the graph's video on the surface.
    bool Windowless() const;

    // The picture goes to (x, y, width, height) of the window; the rectangle is kept (also when there
    // is no mixing renderer to take it). False without one.
    bool SetVideoRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);
    RECT WindowlessRect() const { return windowlessRect_; }
    // The native size (widened to the picture's display aspect), the box of that aspect and the
    // engine window's size; false when the picture is not known yet (the window size is told anyway,
    // and without a mixing renderer the other two are the window size).
    bool GetVideoSizes(TVideoSizes& sizes) const;
    // (0, 0, native width, native height); false without a picture.
    bool GetNativeSize(RECT& rect) const;
    bool HasNativeVideo() const;
    // The stored colour key (replaced first unless `keepStored`) goes to the surface, where it makes
    // the subtitle picture transparent; false, logged, without a surface.
    bool ApplyColorKey(std::uint32_t colour, bool keepStored);
    std::uint32_t ColorKey() const { return colorKey_; }
    // The colour around the picture.
    void ApplyBorderColor(std::uint32_t colour);
    std::uint32_t BorderColor() const { return borderColor_; }
    // The host repaints the window.
    void Repaint() const;
    // Only a renderer with its own video window hides the cursor over it; ours has none: false.
    bool ShowVideoCursor(bool show) const;
    // Letter box for mode 0 and every mode it does not know, stretched for 1, cropped for 2; false
    // without a surface.
    bool SetAspectMode(std::uint32_t mode);
    // The part `source` of the picture is mixed over the whole video picture; `painted` (none: all of
    // it) is where the picture was drawn on. E_FAIL without a mixing renderer, and (logged) when
    // the picture is null or the part lies outside it.
    plat::media::HResult MixOverlayBitmap(const QImage& picture, const RECT& source,
                                          std::optional<QRect> painted = std::nullopt);
    // The text in yellow at the top left of a picture of the native size, on the colour key, mixed
    // over the video as above. 0 without a mixing renderer; E_FAIL without a picture.
    plat::media::HResult MixOverlayText(std::u16string_view text);

private:
    TEngineContext& context_;
    std::shared_ptr<plat::video::VideoSurface> surface_;
    RECT windowlessRect_{};
    std::uint32_t borderColor_ = 0;
    std::uint32_t colorKey_ = 0;
};
