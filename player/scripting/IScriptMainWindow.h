#pragma once
// What the command scripts rely on of the player's main window, its video and full-screen windows and
// its skin. The main window implements it; tests use a recording stand-in.
#include "platform/win/Types.h"

#include <cstdint>
#include <optional>
#include <string>

class IScriptPlayList;
class IScriptProfile;

struct TScriptRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
};

class IScriptMainWindow {
public:
    // Messages the scripts post to the main window: open the settings dialog, quit.
    static constexpr uint32_t kMsgShowSettings = 1533;
    static constexpr uint32_t kMsgQuit = 1534;
    // Modes of the video form.
    static constexpr uint8_t kModeDisc = 0;
    static constexpr uint8_t kModeFile = 1;

    virtual ~IScriptMainWindow() = default;

    // Actions. An action is named as in the main window's action list ("Ac_Play").
    // The action named by a command ("PLAY" or "AC_PLAY" for "Ac_Play"), case-insensitively; nothing
    // when there is none.
    virtual std::optional<std::string> FindActionByCommand(const std::string& command) = 0;
    virtual void ExecuteAction(const std::string& action) = 0;
    virtual void SetActionChecked(const std::string& action, bool checked) = 0;
    // Runs the action mapped to a remote-control code; nothing when none is (Ac_Quit is posted).
    virtual void ExecuteRemoteCode(const std::string& code) = 0;
    virtual void PostMessage(uint32_t message) = 0;
    // While off, actions the user triggers do nothing.
    virtual bool DirectControl() const = 0;
    virtual void SetDirectControl(bool on) = 0;
    virtual plat::win::HWND Handle() const = 0;

    // The video form's mode (kModeDisc, kModeFile or another state); nothing without the form.
    virtual std::optional<uint8_t> VideoMode() const = 0;
    // 1 the video in its window, 2 full screen, 3 toggle.
    virtual void SetScreenMode(int32_t mode) = 0;
    virtual void SetVideoStayOnTop(bool on) = 0;
    virtual void ApplyVideoStayOnTop() = 0;
    virtual void SetContextMenuAllowed(bool allowed) = 0;
    virtual void ShowVideoCaption(bool shown) = 0;
    // The sizing border of the video window (the window system recomputes its frame).
    virtual bool VideoHasSizingBorder() const = 0;
    virtual void SetVideoSizingBorder(bool on) = 0;
    virtual TScriptRect VideoBounds() const = 0;
    virtual void SetVideoBounds(const TScriptRect& bounds) = 0;
    virtual bool IsVideoWindowVisible() const = 0;
    virtual void SetVideoWindowVisible(bool visible) = 0;
    virtual bool IsFullScreenWindowVisible() const = 0;
    virtual void SetFullScreenWindowVisible(bool visible) = 0;
    // A switch of 0 or more turns the skin's video background on (not 0) or off first, -1 keeps it;
    // then the background is drawn or hidden.
    virtual void UpdateVideoBackground(int32_t backgroundSwitch) = 0;
    // The skin's interface: hides it remembering its visibility, or gives it back.
    virtual void HideInterface() = 0;
    virtual void ShowInterface() = 0;

    // Opens a media file, disc, play list or profile by its type; with no media and a profile, the
    // profile is loaded for the current media.
    virtual int32_t OpenFile(const char16_t* media, const char16_t* profile, bool firstFlag, int32_t title,
                             bool lastFlag) = 0;
    // Makes a play-list item (0-based; negative: the current one) current and opens it.
    virtual void PlayQueueItem(int32_t index) = 0;
    // The current play list and the profile of the player; nullptr when there is none.
    virtual IScriptPlayList* CurrentPlayList() = 0;
    virtual IScriptProfile* Profile() = 0;
};
