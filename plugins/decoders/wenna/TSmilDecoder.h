#pragma once
// Decodes RealText-style SMIL subtitles: a text window whose content is timed by "time" tags and
// emptied by "clear" tags, with colour, line-break, bold and italic tags turned into override tags.
#include "plugins/decoders/markup/TByteReader.h"
#include "plugins/decoders/markup/TMarkupEventList.h"
#include "plugins/decoders/markup/TSubtitleText.h"

#include <cstdint>
#include <string_view>

class TSmilDecoder {
public:
    // Decodes the file's bytes; false when they hold no "time" tag (no subtitle file of this kind).
    bool Decode(std::string_view data);

    const TMarkupEventList& Events() const { return FEvents; }

private:
    void ReadTagAt(TByteReader& reader);
    void ApplyTag(std::string_view name, std::string_view attributes);
    void ApplyTime(std::string_view attributes);
    void ReadText(TByteReader& reader, char c);
    // Writes the window's text from the pending start to the pending end; the end starts the next one.
    void Emit();
    // The subtitle still pending at the end of the data, when its end is known.
    void EmitLast();

    TSubtitleText FText;
    TMarkupEventList FEvents;
    int32_t FStart = -1;
    int32_t FEnd = -1;
    // The window's duration, which ends a last subtitle that has no end of its own.
    int32_t FWindowDuration = -1;
    bool FInside = false;
    bool FSawTime = false;
    bool FUtf8 = true;
};
