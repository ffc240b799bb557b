#pragma once
// The template decoder behind the exports of scr_tamble: reads the definitions beside the plug-in,
// matches a file's text against them and writes the events as a SubStation Alpha v4 script.
#include "plugins/decoders/support/ScrRecords.h"
#include "plugins/decoders/tamble/TFormatRegistry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TTambleDecoder {
public:
    // How long an event lasts whose entry gave no end, when no later event starts after it.
    static constexpr int32_t kOpenEndDuration = 3000;
    // The frame rate the settings dialog shows before any decode.
    static constexpr double kFrameRateBeforeDecode = 24.0;

    // Appends the definitions of the folder's ".sdf" files; answers how many files gave text.
    int LoadFolder(const std::string& folder);

    // The body of DecodeAdv: 1 with the script and a new frame-rate setting handed out; 0, handing
    // out nothing, for no data, no definition, or a file in which no template found a subtitle.
    int32_t Decode(const void* data, int32_t size, const char* filter, void** text, int32_t* textSize,
                   char** advanced, int32_t* advancedLength);

    // The frame rate of the last decode.
    double FrameRate() const { return FLastFrameRate; }
    TFormatRegistry& Registry() { return FRegistry; }

    // The frame rate a MicroDVD file declares in its first entry ("{1}{1}23.976"), if any.
    static std::optional<double> DeclaredFrameRate(std::u16string_view text);
    // The matched events as script events; an event without an end lasts until the next one starts.
    static std::vector<TMarkupEvent> ScriptEvents(const std::vector<TMatchedEvent>& matched);

private:
    // Matches the file's text into the registry's events with the frame rate given, else the one the
    // file declares, else the default; the text is freed before the events are turned into script
    // events. False when the walk failed.
    bool MatchText(std::string_view bytes, const char* filter, std::optional<double> givenRate);
    // The script events of the file; the matched events are freed before the script is written.
    // Nothing when the walk failed or found no subtitle.
    std::vector<TMarkupEvent> MatchEvents(std::string_view bytes, const char* filter,
                                          std::optional<double> givenRate);

    TFormatRegistry FRegistry;
    double FLastFrameRate = kFrameRateBeforeDecode;
};
