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
private:
    // The file's events written as a script, matched with the frame rate given, else the one the file
    // declares, else the default. Each event is written as soon as the walk has read the one after it
    // (which ends an event without an end), so that the events never stand whole beside the script.
    // Nothing when no template found a subtitle or memory ran out.
    char* MatchScript(std::string_view bytes, const char* filter, std::optional<double> givenRate,
                      std::size_t& size);
    // The matched event as a script event, written into `event` so that its room is reused; an event
    // without an end lasts until the following one starts.
    static void ScriptEvent(const TMatchedEvent& matched, const TMatchedEvent* following, TMarkupEvent& event);

    TFormatRegistry FRegistry;
    double FLastFrameRate = kFrameRateBeforeDecode;
};
