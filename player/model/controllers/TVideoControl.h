#pragma once
// The controller through which the windows place the video: it gives the core the window-mode video
// panel and the full-screen window, shows, hides and refreshes the video, sets the colour key, switches
// between window and full-screen mode, sends the aspect settings (kept per disc in "AspectRatio.xml")
// and switches the display's mode for full-screen playback and back.
#include "platform/display/DisplayModes.h"
#include "player/model/controllers/AspectRatioXml.h"
#include "player/model/controllers/IVideoControl.h"
#include "player/model/hub/TPlayerObjects.h"

#include <optional>
#include <string>

class TVideoControl : public TPlayerObjects, public IVideoControl {
public:
    static constexpr uint32_t kDefaultColorKey = 0x101010;

    // Orders go through the hub. The display modes (none: no switching) outlive the controller.
    TVideoControl(TPlayerObjects& hub, plat::display::DisplayModes* displayModes);
    // Takes both windows away from the core.
    ~TVideoControl() override;

    void SetOSDControl(IOSDControl* osd) override { osd_ = osd; }
    void SetVideoWindow(plat::win::HWND window) override;
    void SetFullScreenWindow(plat::win::HWND window) override;
    int32_t Refresh(bool flag) override;
    int32_t Show() override;
    int32_t Hide() override;
    int32_t SetColorKey(uint32_t colour, bool temporary) override;
    int32_t ShowCursor(bool visible) override;
    int32_t SetDisplayMode(uint32_t mode) override;
    int32_t GetDisplayMode() override;
    // Order 308: the picture's rectangle on the video panel (left, top, right, bottom) into `rect`
    // when it succeeds. The order's answer: 0 success, -1 failure.
    int32_t GetVideoRect(plat::win::RECT* rect);
    void SetAspectOptions(bool apply, bool windowOnly) override;
    bool GetAspectSettings(TAspectSettings* settings) const override;
    int32_t SetAspectSettings(const TAspectSettings* settings) override;
    int32_t SendAspectSettings() override;
    bool IsResolutionSwitchOn() const override { return aspect_.SwitchInUse != 0; }
    int32_t SwitchResolution(int32_t kind) override;
    bool ApplyAspectRatioFile(const char16_t* path) override;
    void SetAspectRatioFile(const char16_t* path) override;
    bool AspectRatioFileExists() const override;

    uint32_t ColorKey() const { return colorKey_; }
    bool IsShown() const { return shown_; }

private:
    int32_t SendWindows();
    // The screen size that position blocks without their own size take.
    TScreenSize ScreenSize() const;

    plat::win::HWND fullScreenWindow_ = 0;
    plat::win::HWND videoPanel_ = 0;
    IOSDControl* osd_ = nullptr;
    plat::display::DisplayModes* displayModes_;
    uint32_t colorKey_ = kDefaultColorKey;
    TAspectSettings aspect_{};
    std::optional<std::u16string> aspectFile_;
    bool applyAspect_ = false;
    bool windowOnly_ = false;
    bool shown_ = false;
};
