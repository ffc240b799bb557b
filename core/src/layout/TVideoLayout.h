#pragma once
// Where the picture, the subtitle area and the blanking frame lie inside the subtitle screen, computed
// from the picture geometry the engine reports, the screen size and the settings of order 209.
// Rectangles are left, top, right, bottom; every conversion of a floating value to an integer cuts
// toward zero.
#include "core/src/layout/TVideoLayoutSettings.h"
#include "core/src/layout/TVideoSizes.h"
#include "platform/win/Types.h"

#include <cstdint>
#include <optional>

class TVideoLayout {
public:
    using RECT = plat::win::RECT;

    // What the computation reads besides the settings.
    struct TInput {
        TVideoSizes sizes;
        bool sizesKnown = false; // false: the engine could not tell the picture size and aspect box
        TScreenSize screen;
        bool overlayUsed = false;
        bool windowless = false;
    };

    // A box of aspect `ratio` fitted into w x h; none when the ratio is 0.
    static std::optional<TScreenSize> Fit(double ratio, std::int32_t w, std::int32_t h);

    // Recomputes the layout; false, with every field cleared, when a size it needs is 0.
    bool Compute(const TInput& input, const TVideoLayoutSettings& settings);

    TScreenSize screen;
    RECT position{}; // left, top, width, height of the settings' position and size, when in use
    TScreenSize picture;
    TScreenSize window;
    double screenAspect = 0.0;
    double videoAspect = 0.0;
    double scale = 0.0;
    TScreenSize fitted;
    TScreenSize adjusted;
    RECT clipped{};       // the outer rectangle clipped to the window; on-screen messages go here
    RECT outer{};         // the area given to the picture before its own aspect is applied
    RECT pictureRect{};   // where the picture lies (order 308)
    RECT display{};       // the area of the display surface
    RECT subtitle{};      // the area given to subtitle layout
    RECT blankingFrame{}; // the inside edge of the blanking bars

private:
    static TScreenSize Adjusted(TScreenSize fitted, double screenAspect);
    void PlaceOuter(const TVideoLayoutSettings& settings);
    void PlacePicture();
    void PlaceSubtitle(const TVideoLayoutSettings& settings, bool overlayUsed, bool windowless);
    void PlaceBlanking(const TVideoLayoutSettings& settings, bool windowless);
};
