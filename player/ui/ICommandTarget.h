#pragma once
// What the command text drives: the main form's operations that the options of a command line or of
// a command frame reach. The main form implements it; the parser's tests record the calls.
#include "platform/win/Types.h"

#include <cstdint>
#include <string>

class ICommandTarget {
public:
    virtual ~ICommandTarget() = default;

    virtual bool IsClosing() const = 0;

    virtual void OpenFile(const std::string& path) = 0;
    virtual void EnqueueFile(const std::string& path) = 0;
    virtual void PlayQueueItem(int32_t index) = 0;
    // index -1 removes every entry.
    virtual void DeletePlaylistItem(int32_t index) = 0;
    virtual void BringVideoToFront() = 0;
    virtual void SetScreenMode(int32_t mode) = 0;
    virtual void LoadSkin(const std::string& path) = 0;
    // The settings folder becomes the given folder, then the settings are read again.
    virtual void SetSettingsFolder(const std::string& folder) = 0;
    virtual void SetPluginsOff() = 0;
    virtual void LoadAspectProfile(const std::string& name) = 0;
    virtual void RemoteCode(const std::string& code) = 0;
    virtual void HideInterface() = 0;
    virtual void SetSilent(bool silent) = 0;
    // On: sender is the editor's window, which becomes the attached editor; off: none is attached.
    virtual void SetEditMode(bool on, plat::win::HWND sender) = 0;
    virtual void ResetWindowsPosition() = 0;

    virtual int32_t GetTimeCode() = 0;
    // False when no disc identifier is known.
    virtual bool GetDiscId(uint32_t* high, uint32_t* low) = 0;
    virtual void CloseProfile() = 0;
    virtual void ShowProfileSubtitles(bool shown) = 0;
    // A "/CMD:" word that names no query: runs the action it names (the quit action is posted).
    virtual void RunCommandWord(const std::string& word) = 0;
};
