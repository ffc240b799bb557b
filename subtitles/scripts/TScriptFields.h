#pragma once
// The script-info texts, resolution, timer, flags, type and code page of a script: the block that a
// script clears as a whole when it is created and when it loads.
#include <cstddef>
#include <cstdint>
#include <string>

struct TScriptFields {
    // Widths of the texts in characters (what the reader keeps at most).
    static constexpr std::size_t kMaxPath = 260;
    static constexpr std::size_t kMaxTitle = 255;
    static constexpr std::size_t kMaxOriginal = 150;
    static constexpr std::size_t kMaxSynchPoint = 100;
    static constexpr std::size_t kMaxCollisions = 50;
    static constexpr std::size_t kMaxType = 19;

    // The WrapStyle of a script whose info section gives none.
    static constexpr int32_t kWrapStyleNotGiven = 4;

    std::u16string Path;     // the file path or archive entry name the script was loaded from
    std::u16string FileName; // the "Filename" info value, else the file part of the full path
    uint8_t FromArchive = 0;
    // Set when the script was created empty or changed in the editor, so that storing the profile
    // writes it from memory; cleared when the profile is stored.
    uint8_t Modified = 0;
    uint8_t FromPlainFile = 0;
    uint8_t V4Plus = 0; // the styles section was "[V4+ Styles]"

    std::u16string Title;
    std::u16string OriginalScript;
    std::u16string OriginalTranslation;
    std::u16string OriginalEditing;
    std::u16string OriginalTiming;
    std::u16string OriginalScriptChecking;
    std::u16string SynchPoint;
    std::string Type = "SSA4"; // "SSA4" for native scripts, else what the script was decoded from
    std::u16string Collisions;
    int32_t PlayResY = 0;
    int32_t PlayResX = 0;
    int32_t PlayDepth = 0;
    double Timer = 0.0;
    uint8_t Unicode = 0;  // the text was UTF-16 (byte-order mark present)
    uint8_t Utf8Mark = 0; // the text was UTF-8 after the mark EF BB BF, which the writer puts back
    int32_t WrapStyle = kWrapStyleNotGiven;
    int32_t CodePage = 0; // of 8-bit text, or 1200 for UTF-16 text read with no code page given
};
