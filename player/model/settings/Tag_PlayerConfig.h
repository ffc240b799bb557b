#pragma once
// The player's own settings, one record shared by every TTovrinConfig of the program.
#include "core/include/SubtitleRecords.h"
#include "player/model/settings/TExtensionEntry.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct Tag_PlayerConfig {
    static constexpr std::int32_t kSeekSpeeds = 11;
    // The most file types a settings file may list; a larger count is hostile.
    static constexpr std::int32_t kMaxExtensions = 256;

    std::string ISOToolsPath;
    bool ISOToolsEnabled = false;
    std::string CapturePath;
    bool CaptureToClipboard = false;
    bool CaptureAsJPEG = false;
    std::int32_t JPGQuality = 0; // 0 to 100
    bool ResizeCapture = false;
    std::int32_t CaptureWidth = 0;
    std::int32_t CaptureHeight = 0;
    // A one-shot request, set by the main window when a disc arrives, to play the disc of this drive
    // (its mount point) with the next DVD graph.
    bool DiscOverridePending = false;
    std::string DiscOverrideDrive;
    bool DiscArrival = false; // kept for the main window's handling of an arriving disc
    std::string PlayFolder;   // a DVD folder chosen to play instead of a drive
    bool PlayFolderSet = false;
    bool OSDOn = false;
    std::int32_t OSDDuration = 0;
    TSubtitleStyleRecord OSDStyle{};
    std::int32_t Volume = 0;
    bool Mute = false;
    std::int32_t VolumeIncrement = 0;
    bool TipsAtStart = false;
    std::string OSDScript;
    // Entry 0 is always 1; SeekSpeedCount entries (1 to 11) are valid.
    std::array<std::int32_t, kSeekSpeeds> SeekSpeeds{};
    std::int32_t SeekSpeedCount = 0;
    std::int32_t MouseWheelFunction = 0;
    std::int32_t DoubleClickFunction = 0;
    std::vector<TExtensionEntry> Extensions;
    bool AutoHideMouse = false;
    std::int32_t AutoHideMouseTime = 0;
    std::string SkinFileName;
};

// The program's one record.
Tag_PlayerConfig& PlayerConfig();
