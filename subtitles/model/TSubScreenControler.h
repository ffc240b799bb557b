#pragma once
// Maps the coordinate space of a subtitle script (resX x resY units) to screen pixels: a screen area
// of the script's aspect ratio is fitted into the primary screen, and a frame rectangle (the script's
// resolution) and an area rectangle, both in script units, are kept with their sizes in pixels.
// Floating values become integers by truncation toward zero.
#include <cstdint>

// A screen size in pixels.
struct TScreenSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

class TSubScreenControler {
public:
    // The primary screen size the mappers fit into. Hosts with a display set it at start-up (and
    // when it changes); while it is unknown (0 x 0) the scales stay 1.0.
    static void SetPrimaryScreenSize(TScreenSize size);
    static TScreenSize PrimaryScreenSize();

    // Aspect 1.0, then SetResolution(320, 240) against the process's primary screen size.
    TSubScreenControler();
    // The same against the given primary screen size (kept for every later fit).
    explicit TSubScreenControler(TScreenSize primaryScreen);

    // Stores the script resolution; aspect = resX / resY (the primary screen's when resY is 0); then
    // FitScreen.
    void SetResolution(std::int32_t resX, std::int32_t resY);
    // Fits a screen of the script's aspect into the primary screen, then ComputeScale; a zero
    // resolution leaves the scales as they were.
    void FitScreen();
    // Script units per screen pixel (1.0 for an empty screen side), then ComputeRects.
    void ComputeScale();
    // Pixel sizes of the frame and area rectangles.
    void ComputeRects();

    // Converts a length in script units to pixels in place (unchanged when the scale is 0).
    void ScriptToScreenX(std::int32_t& length) const;
    void ScriptToScreenY(std::int32_t& length) const;

    double GetScaleX() const { return ScaleX; }
    double GetScaleY() const { return ScaleY; }

    // Frame = left, top, left + width, top + height; then SetResolution(width, height), ComputeRects.
    void SetFrameRect(std::int32_t top, std::int32_t left, std::int32_t width, std::int32_t height);
    // Area = left, top, left + width, top + height; pixel sizes follow at the next ComputeRects.
    void SetAreaRect(std::int32_t top, std::int32_t left, std::int32_t width, std::int32_t height);

    // Pixel width or height of the frame (frame flag set) or of the area.
    std::int32_t GetScreenWidth(bool frame) const;
    std::int32_t GetScreenHeight(bool frame) const;
    // Left or top edge in script units of the frame (frame flag set) or of the area.
    std::int32_t GetLeft(bool frame) const;
    std::int32_t GetTop(bool frame) const;

    // The fitted screen size in pixels and the script resolution.
    TScreenSize GetFittedScreen() const { return {ScreenWidth, ScreenHeight}; }
    std::int32_t GetResX() const { return ResX; }
    std::int32_t GetResY() const { return ResY; }
    double GetAspect() const { return Aspect; }

    // Copies every field of the other mapper.
    void Assign(const TSubScreenControler& other);

private:
    struct Rect {
        std::int32_t left = 0;
        std::int32_t top = 0;
        std::int32_t right = 0;
        std::int32_t bottom = 0;
    };

    TScreenSize Primary;
    double Aspect = 1.0;
    double ScaleX = 1.0;
    double ScaleY = 1.0;
    Rect Frame;
    Rect Area;
    std::int32_t AreaWidth = 0;
    std::int32_t AreaHeight = 0;
    std::int32_t FrameWidth = 0;
    std::int32_t FrameHeight = 0;
    std::int32_t ScreenWidth = 0;
    std::int32_t ScreenHeight = 0;
    std::int32_t ResX = 0;
    std::int32_t ResY = 0;
};
