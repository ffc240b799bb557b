#pragma once
// A command target that writes each call as one line of text, for the command language's tables.
#include "player/ui/ICommandTarget.h"

#include <string>
#include <vector>

class RecordingCommandTarget : public ICommandTarget {
public:
    std::vector<std::string> Calls;
    bool Closing = false;
    int32_t TimeCode = 0;
    bool HasDisc = false;
    uint32_t DiscHigh = 0;
    uint32_t DiscLow = 0;

    bool IsClosing() const override { return Closing; }
    void OpenFile(const std::string& path) override { Calls.push_back("open[" + path + "]"); }
    void EnqueueFile(const std::string& path) override { Calls.push_back("enqueue[" + path + "]"); }
    void PlayQueueItem(int32_t index) override { Calls.push_back("play " + std::to_string(index)); }
    void DeletePlaylistItem(int32_t index) override { Calls.push_back("delete " + std::to_string(index)); }
    void BringVideoToFront() override { Calls.push_back("front"); }
    void SetScreenMode(int32_t mode) override { Calls.push_back("screen " + std::to_string(mode)); }
    void LoadSkin(const std::string& path) override { Calls.push_back("skin[" + path + "]"); }
    void SetSettingsFolder(const std::string& folder) override { Calls.push_back("config[" + folder + "]"); }
    void SetPluginsOff() override { Calls.push_back("noplug"); }
    void LoadAspectProfile(const std::string& name) override { Calls.push_back("aspect[" + name + "]"); }
    void RemoteCode(const std::string& code) override { Calls.push_back("remote[" + code + "]"); }
    void HideInterface() override { Calls.push_back("hide"); }
    void SetSilent(bool silent) override { Calls.push_back(silent ? "silent" : "loud"); }
    void SetEditMode(bool on, plat::win::HWND sender) override {
        Calls.push_back(on ? "edit on " + std::to_string(sender) : "edit off");
    }
    void ResetWindowsPosition() override { Calls.push_back("resetpos"); }
    int32_t GetTimeCode() override { return TimeCode; }
    bool GetDiscId(uint32_t* high, uint32_t* low) override {
        *high = DiscHigh;
        *low = DiscLow;
        return HasDisc;
    }
    void CloseProfile() override { Calls.push_back("closeprofile"); }
    void ShowProfileSubtitles(bool shown) override { Calls.push_back(shown ? "showsubs" : "hidesubs"); }
    void RunCommandWord(const std::string& word) override { Calls.push_back("cmd[" + word + "]"); }
};
