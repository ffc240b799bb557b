#pragma once
// Decodes JACOsub scripts: header directives (style definitions, palette, timer) and event lines of
// a start, an end, an optional directive word and the text.
#include "plugins/decoders/markup/TMarkupEventList.h"
#include "plugins/decoders/quend/TJacoLineReader.h"
#include "plugins/decoders/quend/TJacoState.h"

#include <cstdint>
#include <optional>
#include <string_view>

class TJacoDecoder {
public:
    // `resolution` is the vertical resolution positions are given in (not above 0 counts as 1).
    explicit TJacoDecoder(double resolution);

    // Decodes the file's bytes; false when no line is an event (no JACOsub script).
    bool Decode(std::string_view data);

    const TMarkupEventList& Events() const { return FEvents; }
    const std::vector<TMarkupStyle>& Styles() const { return FState.Styles; }

private:
    void ReadDirective(std::string_view directive);
    void DefineStyle(std::string_view directive);
    void SetPaletteEntry(std::string_view directive);
    void SetTimer(std::string_view directive);
    // "#SHIFT" (or any start of the word, "#S" included) and a signed time: it replaces the shift of
    // the lines that follow.
    void SetShift(std::string_view directive);
    // An event time with the shift applied, kept at 0 and above.
    int32_t Shifted(int32_t time) const;
    // False when the line is no event.
    bool ReadEvent(std::string_view line, TJacoLineReader& lines);
    // A start or end word: "@" and ticks, or a time whose fraction counts ticks.
    std::optional<int32_t> WordTime(std::string_view word) const;

    TJacoState FState;
    TMarkupEventList FEvents;
};
