#pragma once
// Turns the text of a JACOsub event line into SubStation text: backslash codes become override tags,
// a leading "{...}" group the event's name, and a backslash at the end of a line joins the next line.
#include "plugins/decoders/markup/TSubtitleText.h"
#include "plugins/decoders/quend/TJacoLineReader.h"
#include "plugins/decoders/quend/TJacoState.h"

#include <cstddef>
#include <string>
#include <string_view>

class TJacoTextConverter {
public:
    static constexpr std::size_t kMaxName = 50;

    // `lines` gives the lines a trailing backslash joins.
    TJacoTextConverter(TJacoState& state, TJacoLineReader& lines) : FState(state), FLines(lines) {}

    // Converts `text`, putting `overrides` in front of it.
    void Convert(std::string_view text, std::string_view overrides);

    const std::string& Text() const { return FText.Text(); }
    const std::string& Name() const { return FName; }

private:
    // Handles the code after the backslash at `pos`; answers the position behind it.
    std::size_t ConvertCode(std::string_view text, std::size_t pos);

    TJacoState& FState;
    TJacoLineReader& FLines;
    TSubtitleText FText;
    std::string FName;
};
