#pragma once
// The font description and colours a text event's runs are drawn with while its runs are walked: they
// start from the event's style at a font scale and colour index, and each override block's opcodes
// change them.
#include "core/include/SubtitleRecords.h"
#include "platform/gdi/Colour.h"
#include "subtitles/model/TFontDescription.h"
#include "subtitles/model/TOverrideOpReader.h"

#include <cstdint>

class TRunDrawState {
public:
    // `fontScale` multiplies point sizes (exactly 1.0 keeps them); `colourIndex` 0 picks the primary
    // colour, 1 the secondary and any other value the tertiary.
    TRunDrawState(const TSubtitleStyleRecord& style, double fontScale, std::int32_t colourIndex);

    // Applies an override block's opcodes in order; answers whether the text colour was set.
    bool Apply(TOverrideOpReader opcodes);

    const TFontDescription& Description() const { return current_; }
    plat::gdi::ColourRef TextColour() const { return textColour_; }
    plat::gdi::ColourRef BackColour() const { return current_.backColour & 0xFFFFFFu; }
    double FontScale() const { return fontScale_; }

private:
    std::int32_t ScaledSize(std::int32_t points) const;

    TFontDescription saved_{};
    TFontDescription current_{};
    double fontScale_;
    std::uint8_t chosenIndex_; // 1 primary, 2 secondary, 3 tertiary
    plat::gdi::ColourRef chosenColour_;
    plat::gdi::ColourRef textColour_;
};
