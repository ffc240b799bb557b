#include "subtitles/model/TRunDrawState.h"

#include "subtitles/model/FixedText.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr std::size_t kFaceNameUnits = sizeof(TFontDescription::faceName) / sizeof(char16_t);
constexpr std::uint8_t kBackColourIndex = 4;

std::uint8_t ChosenIndex(std::int32_t colourIndex) {
    return colourIndex == 0 ? 1 : colourIndex == 1 ? 2 : 3;
}

std::uint32_t ChosenColour(const TSubtitleStyleRecord& style, std::uint8_t index) {
    const std::uint32_t colour = index == 1   ? style.primaryColour
                                 : index == 2 ? style.secondaryColour
                                              : style.tertiaryColour;
    return colour & 0xFFFFFFu;
}

} // namespace

TRunDrawState::TRunDrawState(const TSubtitleStyleRecord& style, double fontScale, std::int32_t colourIndex)
    : fontScale_(fontScale), chosenIndex_(ChosenIndex(colourIndex)),
      chosenColour_(ChosenColour(style, chosenIndex_)), textColour_(chosenColour_) {
    SetFixedText(current_.faceName, kFaceNameUnits, FixedTextView(style.fontName, kStyleFontNameUnits));
    current_.size = ScaledSize(style.fontSize);
    current_.weight = style.bold;
    current_.spacing = style.spacing;
    current_.italic = style.italic;
    current_.underline = style.underline;
    current_.strikeOut = style.strikeout;
    current_.backColour = style.backColour;
    current_.outline = style.outline;
    current_.shadow = style.shadow;
    current_.charSet = static_cast<std::uint8_t>(style.encoding & 0xFF);
    saved_ = current_;
}

std::int32_t TRunDrawState::ScaledSize(std::int32_t points) const {
    if (fontScale_ == 1.0) {
        return points;
    }
    const double scaled = std::trunc(fontScale_ * points);
    return std::isfinite(scaled) ? static_cast<std::int32_t>(std::clamp<double>(scaled, INT32_MIN, INT32_MAX))
                                 : 0;
}

bool TRunDrawState::Apply(TOverrideOpReader opcodes) {
    bool colourSet = false;
    TOverrideOp op;
    while (opcodes.Next(op)) {
        switch (op.opcode) {
        case kOpRestoreStyle:
            current_ = saved_;
            textColour_ = chosenColour_;
            colourSet = true;
            break;
        case kOpBoldOn:
        case kOpBoldOff:
            current_.weight = op.opcode == kOpBoldOn ? 1 : 0;
            break;
        case kOpOutline:
            current_.outline = op.number;
            break;
        case kOpItalicOn:
        case kOpItalicOff:
            current_.italic = op.opcode == kOpItalicOn ? 1 : 0;
            break;
        case kOpUnderlineOn:
        case kOpUnderlineOff:
            current_.underline = op.opcode == kOpUnderlineOn ? 1 : 0;
            break;
        case kOpStrikeOn:
        case kOpStrikeOff:
            current_.strikeOut = op.opcode == kOpStrikeOn ? 1 : 0;
            break;
        case kOpShadow:
            current_.shadow = op.number;
            break;
        case kOpColour:
            if (op.colourIndex == 0 || op.colourIndex == chosenIndex_) {
                textColour_ = op.colour & 0xFFFFFFu;
                colourSet = true;
            } else if (op.colourIndex == kBackColourIndex) {
                current_.backColour = op.colour & 0xFFFFFFu;
            }
            break;
        case kOpFontName:
            SetFixedText(current_.faceName, kFaceNameUnits, op.fontName);
            break;
        case kOpSpacing:
            current_.spacing = op.number;
            break;
        case kOpFontSize:
            current_.size = ScaledSize(op.number);
            break;
        case kOpCharset:
            current_.charSet = static_cast<std::uint8_t>(op.number & 0xFF);
            break;
        default:
            break; // blur edges, alpha and scales are not drawn
        }
    }
    return colourSet;
}
