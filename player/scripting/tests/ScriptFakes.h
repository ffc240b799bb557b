#pragma once
// Recording stand-ins for what the command scripts drive: the main window, the settings dialog, the
// play-list window, the play list and the profile, and a fixed clock. Every call that changes
// something lands in one log in the order it was made (for the tests and the fuzz target).
#include "player/scripting/TScriptServices.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

using TCallLog = std::vector<std::string>;

class TRecordingMainWindow : public IScriptMainWindow {
public:
    explicit TRecordingMainWindow(TCallLog& log) : log_(log) {}

    std::optional<std::string> FindActionByCommand(const std::string& command) override;
    void ExecuteAction(const std::string& action) override;
    void SetActionChecked(const std::string& action, bool checked) override;
    void ExecuteRemoteCode(const std::string& code) override;
    void PostMessage(uint32_t message) override;
    bool DirectControl() const override { return directControl; }
    void SetDirectControl(bool on) override;
    plat::win::HWND Handle() const override { return 77; }
    std::optional<uint8_t> VideoMode() const override { return videoMode; }
    void SetScreenMode(int32_t mode) override;
    void SetVideoStayOnTop(bool on) override;
    void ApplyVideoStayOnTop() override;
    void SetContextMenuAllowed(bool allowed) override;
    void ShowVideoCaption(bool shown) override;
    bool VideoHasSizingBorder() const override { return sizingBorder; }
    void SetVideoSizingBorder(bool on) override;
    TScriptRect VideoBounds() const override { return bounds; }
    void SetVideoBounds(const TScriptRect& rect) override;
    bool IsVideoWindowVisible() const override { return videoVisible; }
    void SetVideoWindowVisible(bool visible) override;
    bool IsFullScreenWindowVisible() const override { return fullScreenVisible; }
    void SetFullScreenWindowVisible(bool visible) override;
    void UpdateVideoBackground(int32_t backgroundSwitch) override;
    void HideInterface() override;
    void ShowInterface() override;
    int32_t OpenFile(const char16_t* media, const char16_t* profile, bool firstFlag, int32_t title,
                     bool lastFlag) override;
    void PlayQueueItem(int32_t index) override;
    IScriptPlayList* CurrentPlayList() override { return playList; }
    IScriptProfile* Profile() override { return profile; }

    // The actions of the main window's list.
    std::vector<std::string> actions{"Ac_Play",        "Ac_Stop",          "Ac_Quit",
                                     "Ac_EnterConfig", "Ac_EnterFileMode", "Ac_EnterDVDMode",
                                     "Ac_VolumeMore",  "Ac_VolumeLess",    "Ac_VideoOnTop"};
    bool directControl = true;
    std::optional<uint8_t> videoMode = kModeFile;
    bool sizingBorder = true;
    TScriptRect bounds{10, 20, 640, 480};
    bool videoVisible = true;
    bool fullScreenVisible = false;
    IScriptPlayList* playList = nullptr;
    IScriptProfile* profile = nullptr;

private:
    void Log(const std::string& call) { log_.push_back(call); }
    TCallLog& log_;
};

class TRecordingSettingsDialog : public IScriptSettingsDialog {
public:
    explicit TRecordingSettingsDialog(TCallLog& log) : log_(log) {}
    bool IsVisible() const override { return visible; }
    void ShowRemoteCode(const std::string& code) override;
    bool IsWaitingForRemoteCode() const override { return waiting; }
    void AssignRemoteCode(const std::string& code) override;
    bool visible = false;
    bool waiting = false;

private:
    TCallLog& log_;
};

class TRecordingPlaylistWindow : public IScriptPlaylistWindow {
public:
    explicit TRecordingPlaylistWindow(TCallLog& log) : log_(log) {}
    bool AddFile(const char16_t* path) override;
    void MoveItem(int32_t from, int32_t to) override;
    void LoadList(const char16_t* path) override;
    bool SaveList(const char16_t* path) override;
    int32_t IndexOfFile(const char16_t* path) override;
    void DeleteItem(int32_t index) override;
    std::map<std::u16string, int32_t> indexes;

private:
    TCallLog& log_;
};

class TFakePlayList : public IScriptPlayList {
public:
    explicit TFakePlayList(TCallLog& log) : log_(log) {}
    int32_t Count() const override { return static_cast<int32_t>(items.size()); }
    void DeleteAll() override;
    int32_t Current() const override { return current; }
    std::optional<TScriptPlaylistItem> Item(int32_t index) const override;
    bool Shuffle() const override { return shuffle; }
    void SetShuffle(bool on) override;
    bool Repeat() const override { return repeat; }
    void SetRepeat(bool on) override;
    std::vector<TScriptPlaylistItem> items;
    int32_t current = -1;
    bool shuffle = false;
    bool repeat = false;

private:
    TCallLog& log_;
};

class TFakeProfile : public IScriptProfile {
public:
    struct TVolumeData {
        TScriptVolume volume;
        std::vector<TScriptLanguage> languages;
    };
    explicit TFakeProfile(TCallLog& log) : log_(log) {}
    void SelectVolume(int32_t index) override;
    void SelectLanguage(int32_t index) override;
    int32_t VolumeCount() const override { return static_cast<int32_t>(volumes.size()); }
    std::optional<TScriptVolume> Volume(int32_t index) const override;
    std::optional<TScriptLanguage> CurrentLanguage() const override;
    std::optional<TScriptLanguage> VolumeLanguage(int32_t volume, int32_t index) const override;
    std::vector<TVolumeData> volumes;
    int32_t currentVolume = -1;
    int32_t currentLanguage = -1;

private:
    TCallLog& log_;
};

class TFixedSystem : public IScriptSystem {
public:
    TLocalTime Now() const override { return now; }
    std::u16string TimeText(const TLocalTime& time) const override;
    std::u16string DateText(const TLocalTime& time) const override;
    int64_t WorkingSetBytes() const override { return memory; }
    TLocalTime now{2004, 8, 20, 21, 5, 9, 250};
    int64_t memory = 12345678;
};
