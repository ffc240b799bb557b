#pragma once
// The order of the player's windows: the video window optionally above all others (never while it
// fills its monitor to the bottom-right corner, where it would cover the desktop's panels for good),
// and the video window and the skin windows raised together.
#include <QRect>

class QWidget;
class TSkinScript;

class TWindowLayering {
public:
    // Whether a window with that frame should stay on top when the user asks for it: not when it ends
    // exactly at the bottom-right corner of its monitor.
    static bool WantsTopMost(bool flag, const QRect& frame, const QRect& monitor);
    // Sets or clears the video window's top-most state; its place and size stay.
    static void ApplyStayOnTop(QWidget& video, bool flag);
    // The video window goes on top without taking the focus, then every visible skin window is put
    // back to normal and raised, the skin's main window last, and the skin windows that stand in the
    // video window show there again.
    static void Restack(QWidget& video, TSkinScript* skin);
};
