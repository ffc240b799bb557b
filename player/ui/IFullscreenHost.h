#pragma once
// What the full-screen window uses of the main form: whether the player is closing (only then may the
// window close), the double click of the video windows and the video window's handling of a click.
class IFullscreenHost {
public:
    virtual ~IFullscreenHost() = default;
    virtual bool IsClosing() const = 0;
    virtual void RunDoubleClickFunction() = 0;
    // A mouse button went down on the full-screen picture: the video window handles it as its own.
    virtual void VideoPanelMouseDown() = 0;
};
