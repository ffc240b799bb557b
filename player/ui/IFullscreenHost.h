#pragma once
// What the full-screen window uses of the main form: whether the player is closing (only then may the
// window close), the double click and the wheel of the video windows, the video window's handling of a
// click, and the screen mode (Escape goes back to the window).
#include <cstdint>

class IFullscreenHost {
public:
    virtual ~IFullscreenHost() = default;
    virtual bool IsClosing() const = 0;
    virtual void RunDoubleClickFunction() = 0;
    virtual void FormMouseWheelUp() = 0;
    virtual void FormMouseWheelDown() = 0;
    virtual void SetScreenMode(int32_t mode) = 0;
    // A mouse button went down on the full-screen picture: the video window handles it as its own.
    virtual void VideoPanelMouseDown() = 0;
};
