#pragma once
// The player's skin as the main form uses it: loads the skin named by the settings or the command
// line, falling back to the default skin of the skins folder, shows its main window below the video
// window and hides or shows the interface.
#include "player/ui/TSkinActionSink.h"
#include "player/ui/skin/TSkinScript.h"

#include <cstdint>
#include <string>

class TPlayerSkin {
public:
    static constexpr const char* kScriptName = "skin.txt";
    static constexpr const char* kDefaultSkin = "Default.zip";

    TPlayerSkin(ISkinActionHost& host, std::string skinsFolder);
    TPlayerSkin(const TPlayerSkin&) = delete;
    TPlayerSkin& operator=(const TPlayerSkin&) = delete;

    // Loads the skin of that name (a full path, or a name in the skins folder); when the name is empty
    // or the skin fails, the default skin. False when the default failed too: the skin then keeps
    // what it had.
    bool Load(const std::string& name, bool fullPath);
    // The skin of the settings, or the default skin when asked for it.
    bool LoadStartup(bool useDefaultSkin, const std::string& settingsName);

    void HideInterface() { skin_.HideInterface(); }
    void ShowInterface() { skin_.ShowInterface(); }

    TSkinScript& Script() { return skin_; }
    TSkinActionSink& Sink() { return sink_; }

private:
    std::string skinsFolder_;
    TSkinActionSink sink_;
    TSkinScript skin_;
};
