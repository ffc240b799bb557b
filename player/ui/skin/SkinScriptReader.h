#pragma once
// Reads a skin script into object records: sections, comments, the column lists of [Format] and the
// object lines of [Objects]. Widgets are built from the records afterwards, in their order.
#include "player/ui/skin/SkinObjectRecord.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class SkinScriptReader {
public:
    static constexpr std::size_t kMaxLine = 2500;
    static constexpr std::size_t kMaxValue = 300;
    static constexpr std::size_t kMaxColumnName = 99;
    // A script with more object lines is refused.
    static constexpr std::size_t kMaxObjects = 4096;

    // The records of the script; false (with `error`) when the script is beyond the limits.
    bool Read(std::string_view script, std::vector<SkinObjectRecord>& records, std::string& error);

private:
    enum class Section { None, Info, Format, Objects };
    // The column lists of Button (and SpeedButton), Form, Label, SeekBar and FullScreenSwap lines.
    enum ListIndex { kButtonList, kFormList, kLabelList, kSeekBarList, kFullScreenSwapList, kListCount };

    static ListIndex ListOf(SkinObjectKind kind);
    static bool IsHeader(std::string_view line, Section& section);
    void ReadFormatLine(std::string_view line);
    // False when the object limit is passed.
    bool ReadObjectLine(std::string_view line, int lineNumber, std::vector<SkinObjectRecord>& records);

    Section section_ = Section::None;
    std::array<std::vector<std::string>, kListCount> columns_;
    bool formSeen_ = false;
};
