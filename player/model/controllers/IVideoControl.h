#pragma once
// The video controller as the hub, the windows and the command scripts use it: the video panel and the
// full-screen window given to the core, showing, refreshing, the colour key, the display mode (window
// or full screen), the aspect settings and their per-disc file, and the switch of the display's mode.
#include "platform/win/Types.h"
#include "player/model/controllers/TAspectSettings.h"

#include <cstdint>

class IOSDControl;

class IVideoControl {
public:
    virtual ~IVideoControl() = default;
    virtual void SetOSDControl(IOSDControl* osd) = 0;

    // Give the core the window-mode video panel or the full-screen window (order 202 with both).
    virtual void SetVideoWindow(plat::win::HWND window) = 0;
    virtual void SetFullScreenWindow(plat::win::HWND window) = 0;
    // Refreshes the video (with the flag also the colour key and the shown state); non-zero when the
    // refresh failed.
    virtual int32_t Refresh(bool flag) = 0;
    virtual int32_t Show() = 0;
    virtual int32_t Hide() = 0;
    // Kept unless temporary; order 203.
    virtual int32_t SetColorKey(uint32_t colour, bool temporary) = 0;
    virtual int32_t ShowCursor(bool visible) = 0;
    // 1 window, 2 full screen; the core's answer.
    virtual int32_t SetDisplayMode(uint32_t mode) = 0;
    // The current display mode, -1 when the core cannot say.
    virtual int32_t GetDisplayMode() = 0;

    // Stores both options and sends the settings.
    virtual void SetAspectOptions(bool apply, bool windowOnly) = 0;
    // False for no record.
    virtual bool GetAspectSettings(TAspectSettings* settings) const = 0;
    // Replaces the settings (zeroed for none) and sends them.
    virtual int32_t SetAspectSettings(const TAspectSettings* settings) = 0;
    // Order 209; in full-screen mode with the window-only option the settings are not applied.
    virtual int32_t SendAspectSettings() = 0;
    virtual bool IsResolutionSwitchOn() const = 0;
    // Kind 2 switches to the settings' display mode, kind 1 back to the mode the program started with:
    // 0 switched, 1 nothing to do (kind 1 in the start mode), -1 refused or not possible.
    virtual int32_t SwitchResolution(int32_t kind) = 0;

    // Reads an ASPECTRATIO file and applies its settings; true when the file could be read.
    virtual bool ApplyAspectRatioFile(const char16_t* path) = 0;
    // Keeps the name of the per-disc aspect-ratio file (none for nullptr or an empty name).
    virtual void SetAspectRatioFile(const char16_t* path) = 0;
    virtual bool AspectRatioFileExists() const = 0;
};
