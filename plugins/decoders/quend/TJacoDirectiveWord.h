#pragma once
// The letters of a JACOsub directive word ("VTJC", "D1HL10", "[Title]CF3"): placement, margins,
// colour and style, either for a style being defined or for one event line.
#include "plugins/decoders/quend/TJacoState.h"

#include <cstdint>
#include <string>
#include <string_view>

class TJacoDirectiveWord {
public:
    enum class TMode { Definition, Event };

    TJacoDirectiveWord(TMode mode, TJacoState& state) : FMode(mode), FState(state) {}

    // Reads the word letter by letter (in upper case) up to "#" or its end. In definition mode a "D"
    // appends its style, and the placement and colour go to that style.
    void Read(std::string_view word);

    // The number given with "D" (-1 when none was).
    int32_t StyleNumber() const { return FStyleNumber; }
    // Event mode: the style the word names when it exists, else "Default".
    const std::string& StyleName() const { return FStyleName; }
    // Event mode: the override tags to put in front of the text.
    const std::string& Overrides() const { return FOverrides; }
    int32_t MarginL() const { return FMarginL; }
    int32_t MarginR() const { return FMarginR; }
    int32_t MarginV() const { return FMarginV; }

    // "Style_<n>", or "Default" for 0.
    static std::string StyleNameOf(int64_t number);

private:
    enum class TVertical { Bottom, Top, Middle };
    enum class THorizontal { None, Left, Centre, Right };

    // The decimal number at `pos` (0 when there is none), saturated; `pos` moves behind it.
    static int64_t NumberAt(std::string_view word, std::size_t& pos);
    void ReadStyle(std::string_view word, std::size_t& pos);
    void ReadVertical(std::string_view word, std::size_t& pos);
    void ReadHorizontalMargin(std::string_view word, std::size_t& pos);
    void ReadJustification(std::string_view word, std::size_t& pos);
    void ReadColour(std::string_view word, std::size_t& pos);
    void ReadStyleReference(std::string_view word, std::size_t& pos);
    void UseStyleIfDefined(const std::string& name);
    int32_t Alignment() const;
    void Finish();

    const TMode FMode;
    TJacoState& FState;
    int32_t FStyleNumber = -1;
    int64_t FDefinedStyle = -1; // index in the style list of the style this directive defines
    std::string FStyleName = "Default";
    std::string FOverrides;
    std::string FColourOverrides;
    int32_t FMarginL = 0;
    int32_t FMarginR = 0;
    int32_t FMarginV = 0;
    TVertical FVertical = TVertical::Bottom;
    THorizontal FHorizontal = THorizontal::None;
    int64_t FColourEntry = -1;
};
