#pragma once
// The main form and its video window as the command scripts see them: actions by command name,
// remote codes, the main form's messages, direct control, the video window's mode, caption, border,
// bounds, visibility, stay-on-top and background, the skin's interface, and opening media.
#include "player/scripting/IScriptMainWindow.h"

class TDVDMain;
class TMainActions;
class TScriptBridge;

class TScriptMainWindow : public IScriptMainWindow {
public:
    TScriptMainWindow(TDVDMain& main, TMainActions& actions, TScriptBridge& bridge);

    std::optional<std::string> FindActionByCommand(const std::string& command) override;
    void ExecuteAction(const std::string& action) override;
    void SetActionChecked(const std::string& action, bool checked) override;
    void ExecuteRemoteCode(const std::string& code) override;
    void PostMessage(uint32_t message) override;
    bool DirectControl() const override;
    void SetDirectControl(bool on) override;
    plat::win::HWND Handle() const override;

    std::optional<uint8_t> VideoMode() const override;
    void SetScreenMode(int32_t mode) override;
    void SetVideoStayOnTop(bool on) override;
    void ApplyVideoStayOnTop() override;
    void SetContextMenuAllowed(bool allowed) override;
    void ShowVideoCaption(bool shown) override;
    bool VideoHasSizingBorder() const override;
    void SetVideoSizingBorder(bool on) override;
    TScriptRect VideoBounds() const override;
    void SetVideoBounds(const TScriptRect& bounds) override;
    bool IsVideoWindowVisible() const override;
    void SetVideoWindowVisible(bool visible) override;
    bool IsFullScreenWindowVisible() const override;
    void SetFullScreenWindowVisible(bool visible) override;
    void UpdateVideoBackground(int32_t backgroundSwitch) override;
    void HideInterface() override;
    void ShowInterface() override;

    int32_t OpenFile(const char16_t* media, const char16_t* profile, bool dontPlay, int32_t title,
                     bool dontStartList) override;
    void PlayQueueItem(int32_t index) override;
    // The player has no play-list window or profile object for scripts yet.
    IScriptPlayList* CurrentPlayList() override { return nullptr; }
    IScriptProfile* Profile() override { return nullptr; }

private:
    TDVDMain& main_;
    TMainActions& actions_;
    TScriptBridge& bridge_;
};
