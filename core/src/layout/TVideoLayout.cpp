#include "core/src/layout/TVideoLayout.h"

#include "core/src/layout/CutTowardZero.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

using plat::win::RECT;

namespace {

// Coordinates are held to half a billion pixels either way, so that sums and differences of a few of
// them never overflow, whatever sizes and positions the settings hold.
constexpr std::int64_t kCoordinateLimit = std::int64_t{1} << 29;

std::int32_t Coord(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp(value, -kCoordinateLimit, kCoordinateLimit));
}

std::int64_t Width(const RECT& r) {
    return std::int64_t{r.right} - r.left;
}

std::int64_t Height(const RECT& r) {
    return std::int64_t{r.bottom} - r.top;
}

// `a` / `b`, or 1.0 when `b` or the quotient is 0.
double ScaleOrOne(double a, double b) {
    if (b == 0.0) {
        return 1.0;
    }
    const double quotient = a / b;
    return quotient == 0.0 ? 1.0 : quotient;
}

bool AnyZero(const TVideoSizes& sizes) {
    return sizes.native.width == 0 || sizes.native.height == 0 || sizes.aspectBox.width == 0 ||
           sizes.aspectBox.height == 0 || sizes.window.width == 0 || sizes.window.height == 0;
}

} // namespace

std::optional<TScreenSize> TVideoLayout::Fit(double ratio, std::int32_t w, std::int32_t h) {
    if (ratio == 0.0) {
        return std::nullopt;
    }
    if (w > h) {
        return h * ratio <= w ? TScreenSize{CutTowardZero(h * ratio), h}
                              : TScreenSize{w, CutTowardZero(w / ratio)};
    }
    return w / ratio <= h ? TScreenSize{w, CutTowardZero(w / ratio)}
                          : TScreenSize{CutTowardZero(h * ratio), h};
}

// The fitted size brought to the screen's aspect; a 16:9 screen widens a box that is wider than tall.
TScreenSize TVideoLayout::Adjusted(TScreenSize fitted, double screenAspect) {
    const bool wideScreen = std::fabs(screenAspect - 1.77) < 0.1;
    const bool widen = wideScreen ? fitted.width > fitted.height : fitted.width < fitted.height;
    if (widen) {
        fitted.width = CutTowardZero(fitted.height * screenAspect);
    } else {
        fitted.height = CutTowardZero(fitted.width / screenAspect);
    }
    return fitted;
}

bool TVideoLayout::Compute(const TInput& input, const TVideoLayoutSettings& settings) {
    TVideoSizes sizes = input.sizes;
    if (!input.sizesKnown) {
        sizes.native = input.screen;
        sizes.aspectBox = input.screen;
    }
    // The record is cleared whether or not the computation succeeds: after a failure nothing of the
    // previous layout (order 308's picture rectangle among it) is answered as if it were current.
    *this = TVideoLayout();
    if (AnyZero(sizes) || input.screen.width == 0 || input.screen.height == 0) {
        return false;
    }
    screen = input.screen;
    picture = sizes.native;
    window = sizes.window;
    screenAspect = static_cast<double>(screen.width) / screen.height;
    videoAspect = static_cast<double>(sizes.aspectBox.width) / sizes.aspectBox.height;

    const bool letterBox = settings.Mode() == TVideoLayoutSettings::kLetterBox;
    fitted = settings.Mode() == TVideoLayoutSettings::kNoScale
                 ? picture
                 : *Fit(letterBox ? videoAspect : screenAspect, window.width, window.height);
    // Without a window of its own the picture is painted into the window's video panel, not mixed over
    // the whole screen: its box keeps the window's fit, and the screen's shape does not shrink it.
    adjusted = input.windowless ? fitted : Adjusted(fitted, screenAspect);
    scale = ScaleOrOne(screen.width, adjusted.width);
    PlaceOuter(settings);
    PlacePicture();
    PlaceSubtitle(settings, input.overlayUsed, input.windowless);
    PlaceBlanking(settings, input.windowless);
    return true;
}

// The adjusted size centred in the window, moved and grown by the settings' position and size.
void TVideoLayout::PlaceOuter(const TVideoLayoutSettings& settings) {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t extraWidth = 0;
    std::int32_t extraHeight = 0;
    if (settings.PositionInUse()) {
        position = {settings.PositionLeft(), settings.PositionTop(), settings.PositionWidth(),
                    settings.PositionHeight()};
        const double k = 1.0 / scale;
        x = CutTowardZero(settings.PositionLeft() * k);
        y = CutTowardZero(settings.PositionTop() * k);
        extraWidth = CutTowardZero((static_cast<double>(settings.PositionWidth()) - screen.width) * k);
        extraHeight = CutTowardZero((static_cast<double>(settings.PositionHeight()) - screen.height) * k);
    }
    outer.left = Coord(x + (std::int64_t{window.width} - adjusted.width) / 2);
    outer.top = Coord(y + (std::int64_t{window.height} - adjusted.height) / 2);
    outer.right = Coord(std::int64_t{outer.left} + adjusted.width + extraWidth);
    outer.bottom = Coord(std::int64_t{outer.top} + adjusted.height + extraHeight);
}

// The picture at its own aspect, centred in the outer rectangle; the clipped rectangle besides.
void TVideoLayout::PlacePicture() {
    const std::int32_t outerWidth = Coord(std::abs(Width(outer)));
    const std::int32_t outerHeight = Coord(std::abs(Height(outer)));
    const TScreenSize size = *Fit(videoAspect, outerWidth, outerHeight);
    pictureRect.left = Coord(outer.left + (std::int64_t{outerWidth} - size.width) / 2);
    pictureRect.top = Coord(outer.top + (std::int64_t{outerHeight} - size.height) / 2);
    pictureRect.right = Coord(std::int64_t{pictureRect.left} + size.width);
    pictureRect.bottom = Coord(std::int64_t{pictureRect.top} + size.height);
    clipped = {std::max(outer.left, 0), std::max(outer.top, 0), std::min(outer.right, window.width),
               std::min(outer.bottom, window.height)};
}

void TVideoLayout::PlaceSubtitle(const TVideoLayoutSettings& settings, bool overlayUsed, bool windowless) {
    if (settings.Applies()) {
        subtitle = pictureRect;
    } else {
        subtitle = outer;
        if (Width(outer) > Width(clipped)) {
            subtitle.left = clipped.left;
            subtitle.right = clipped.right;
        }
        if (Height(outer) > Height(clipped)) {
            subtitle.top = clipped.top;
            subtitle.bottom = clipped.bottom;
        }
    }
    const std::int32_t pictureWidth = Coord(Width(pictureRect));
    const std::int32_t pictureHeight = Coord(Height(pictureRect));
    if (!windowless) {
        display = overlayUsed ? pictureRect : RECT{};
        return;
    }
    std::int32_t displayHeight = pictureHeight;
    if (adjusted.height != 0 && fitted.width != 0) {
        displayHeight = Coord(std::int64_t{std::abs(pictureWidth)} * fitted.height / fitted.width);
    }
    display = {0, 0, pictureWidth, displayHeight};
    subtitle.top = CutTowardZero((Height(display) - pictureHeight) * 0.5);
    subtitle.left = CutTowardZero((Width(display) - pictureWidth) * 0.5);
    subtitle.right = Coord(std::int64_t{subtitle.left} + pictureWidth);
    subtitle.bottom = Coord(std::int64_t{subtitle.top} + pictureHeight);
    clipped = subtitle;
}

void TVideoLayout::PlaceBlanking(const TVideoLayoutSettings& settings, bool windowless) {
    std::int64_t margin[4] = {0, 0, 0, 0}; // left, top, right, bottom
    if (settings.BlankingInUse()) {
        const double scale2 = ScaleOrOne(screen.width, std::abs(Width(display)));
        for (std::size_t side = 0; side < 4; ++side) {
            margin[side] = CutTowardZero(settings.Blanking(side) * (1.0 / scale2));
        }
    }
    if (windowless) {
        const std::int64_t gap[4] = {
            std::int64_t{subtitle.left} - display.left, std::int64_t{subtitle.top} - display.top,
            std::int64_t{display.right} - subtitle.right, std::int64_t{display.bottom} - subtitle.bottom};
        for (std::size_t side = 0; side < 4; ++side) {
            margin[side] = margin[side] < gap[side] ? 0 : margin[side] - gap[side];
        }
        blankingFrame = {0, 0, Coord(Width(subtitle)), Coord(Height(subtitle))};
    } else {
        blankingFrame = settings.Mode() == TVideoLayoutSettings::kStretched ? outer : display;
    }
    blankingFrame.left = Coord(blankingFrame.left + margin[0]);
    blankingFrame.top = Coord(blankingFrame.top + margin[1]);
    blankingFrame.right = Coord(blankingFrame.right - margin[2]);
    blankingFrame.bottom = Coord(blankingFrame.bottom - margin[3]);
}
