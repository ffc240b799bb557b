#pragma once
// The common settings of both programs, one record shared by every settings object of a program (the
// main window's and the settings dialog's write the same one).
#include <cstdint>
#include <string>

struct Tag_VokradConfig {
    // Longest text of a path field, in bytes of UTF-8.
    static constexpr std::size_t kPathBytes = 259;

    bool OverrideDropShadow = false; // replace the scripts' shadow depth by Shadow
    bool OverrideOutline = false;    // replace the scripts' outline width by Outline
    std::int32_t Shadow = 0;
    std::int32_t Outline = 0;
    std::uint8_t OutlineStyle = 0; // border style used when overriding
    bool UseScriptDef = false;     // use the scripts' own styles rather than the default style
    std::uint32_t ColorKey = 0;    // 0x00BBGGRR
    // The DVD drive's mount point (or folder) to play; empty for the system's choice.
    std::string Drive;
    std::string DVDScriptPath;
    std::string TimedScriptPath;
    std::string PlaylistPath;
    std::string MediaFilesPath;
    std::string DVDISOFilesPath;
    bool ForceSubsOnVideo = false;
    bool ForceSubsOnVideoOnlyInWindow = false;
    // Graph description files chosen by hand, inside the DVD or media graph folder; empty for the
    // default.
    std::string CustomDVDGraph;
    std::string CustomMediaGraph;
    std::string CustomTransGraph;
    bool CheckForUpdates = false;
    std::string Language;
    std::string GenerateTranslationFile;
    bool NotFirstStart = false;
    std::int32_t AutoBookmarkDelay = 0; // ms, the hub's start-up bookmark and resume timers
};

// The program's one record.
Tag_VokradConfig& VokradConfig();
