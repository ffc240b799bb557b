#include "platform/dvd/DvdLanguage.h"

#include <array>
#include <cctype>
#include <utility>

namespace plat::dvd {

namespace {

constexpr std::uint32_t kSublangDefault = 0x01;

// ISO 639-1 code and the Windows primary language id.
constexpr std::array<std::pair<const char*, std::uint16_t>, 48> kPrimaryLanguages{{
    {"ar", 0x01}, {"bg", 0x02}, {"ca", 0x03}, {"zh", 0x04}, {"cs", 0x05}, {"da", 0x06}, {"de", 0x07},
    {"el", 0x08}, {"en", 0x09}, {"es", 0x0A}, {"fi", 0x0B}, {"fr", 0x0C}, {"he", 0x0D}, {"iw", 0x0D},
    {"hu", 0x0E}, {"is", 0x0F}, {"it", 0x10}, {"ja", 0x11}, {"ko", 0x12}, {"nl", 0x13}, {"no", 0x14},
    {"nb", 0x14}, {"pl", 0x15}, {"pt", 0x16}, {"ro", 0x18}, {"ru", 0x19}, {"hr", 0x1A}, {"sk", 0x1B},
    {"sq", 0x1C}, {"sv", 0x1D}, {"th", 0x1E}, {"tr", 0x1F}, {"ur", 0x20}, {"id", 0x21}, {"uk", 0x22},
    {"be", 0x23}, {"sl", 0x24}, {"et", 0x25}, {"lv", 0x26}, {"lt", 0x27}, {"fa", 0x29}, {"vi", 0x2A},
    {"hy", 0x2B}, {"eu", 0x2D}, {"mk", 0x2F}, {"af", 0x36}, {"hi", 0x39}, {"ms", 0x3E},
}};

} // namespace

std::uint32_t DvdLanguage::LcidFromCode(std::uint16_t code) {
    const char first = static_cast<char>(std::tolower(code >> 8));
    const char second = static_cast<char>(std::tolower(code & 0xFF));
    for (const auto& [iso, primary] : kPrimaryLanguages) {
        if (iso[0] == first && iso[1] == second) {
            return (kSublangDefault << 10) | primary;
        }
    }
    return 0;
}

} // namespace plat::dvd
