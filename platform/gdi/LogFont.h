#pragma once
// What a font is made from, as GDI's logical font describes it. A negative height is the character
// height (em size) in pixels, a positive one the cell height (ascent + descent), 0 a default size.
#include <cstdint>
#include <string>

namespace plat::gdi {

struct LogFont {
    std::int32_t height = 0;
    std::int32_t width = 0;      // average character width; 0 keeps the face's proportions
    std::int32_t escapement = 0; // tenths of a degree; text is drawn horizontally
    std::int32_t weight = 0;     // 0 default (400), else 1..1000
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::uint8_t charSet = 1; // 1 the default set; fontconfig picks faces by the characters drawn
    std::u16string faceName;  // at most 31 characters
};

} // namespace plat::gdi
