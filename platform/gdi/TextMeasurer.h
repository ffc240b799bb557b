#pragma once
// The narrow part of a device context that text layout needs: fonts made from logical fonts,
// selected one at a time, extra spacing between characters, and the extent of a text in the
// selected font. Layout code measures through it alone, so tests can lay text out with fixed advances.
#include "platform/gdi/Font.h"
#include "platform/gdi/Geometry.h"
#include "platform/gdi/LogFont.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace plat::gdi {

class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;

    // A font for the logical font, or none when it cannot be made.
    virtual std::unique_ptr<Font> CreateFont(const LogFont& logFont) = 0;
    // Selects a font made by this measurer's kind (none selects nothing) and answers the font that
    // was selected before (none at first). The caller keeps fonts alive while they are selected.
    virtual Font* SelectFont(Font* font) = 0;
    // Pixels added after every character of measured and drawn text.
    virtual void SetTextCharacterExtra(std::int32_t extra) = 0;
    // Width (advances plus the extra spacing) and cell height (ascent + descent) of the text in the
    // selected font; 0 x 0 without a font.
    virtual Size GetTextExtent(std::u16string_view text) = 0;
};

} // namespace plat::gdi
