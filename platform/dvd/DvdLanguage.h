#pragma once
// Stream languages: the disc's two-letter ISO 639 codes as Windows locale ids (LCID), the form the core
// and its clients name languages in.
#include <cstdint>

namespace plat::dvd {

class DvdLanguage {
public:
    // The locale id of the language in its default sublanguage; 0 for a code not known or not given.
    // The code is the disc's 16-bit field: the first letter in the high byte.
    static std::uint32_t LcidFromCode(std::uint16_t code);
};

} // namespace plat::dvd
