#include "player/model/hub/LanguageNames.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

struct TLanguage {
    uint16_t primary;
    std::u16string_view name;
};

// Ascending by primary language identifier.
constexpr std::array kLanguages{
    TLanguage{0x01, u"Arabic"},      TLanguage{0x02, u"Bulgarian"},  TLanguage{0x03, u"Catalan"},
    TLanguage{0x04, u"Chinese"},     TLanguage{0x05, u"Czech"},      TLanguage{0x06, u"Danish"},
    TLanguage{0x07, u"German"},      TLanguage{0x08, u"Greek"},      TLanguage{0x09, u"English"},
    TLanguage{0x0A, u"Spanish"},     TLanguage{0x0B, u"Finnish"},    TLanguage{0x0C, u"French"},
    TLanguage{0x0D, u"Hebrew"},      TLanguage{0x0E, u"Hungarian"},  TLanguage{0x0F, u"Icelandic"},
    TLanguage{0x10, u"Italian"},     TLanguage{0x11, u"Japanese"},   TLanguage{0x12, u"Korean"},
    TLanguage{0x13, u"Dutch"},       TLanguage{0x14, u"Norwegian"},  TLanguage{0x15, u"Polish"},
    TLanguage{0x16, u"Portuguese"},  TLanguage{0x17, u"Romansh"},    TLanguage{0x18, u"Romanian"},
    TLanguage{0x19, u"Russian"},     TLanguage{0x1A, u"Croatian"},   TLanguage{0x1B, u"Slovak"},
    TLanguage{0x1C, u"Albanian"},    TLanguage{0x1D, u"Swedish"},    TLanguage{0x1E, u"Thai"},
    TLanguage{0x1F, u"Turkish"},     TLanguage{0x20, u"Urdu"},       TLanguage{0x21, u"Indonesian"},
    TLanguage{0x22, u"Ukrainian"},   TLanguage{0x23, u"Belarusian"}, TLanguage{0x24, u"Slovenian"},
    TLanguage{0x25, u"Estonian"},    TLanguage{0x26, u"Latvian"},    TLanguage{0x27, u"Lithuanian"},
    TLanguage{0x29, u"Persian"},     TLanguage{0x2A, u"Vietnamese"}, TLanguage{0x2B, u"Armenian"},
    TLanguage{0x2C, u"Azerbaijani"}, TLanguage{0x2D, u"Basque"},     TLanguage{0x2F, u"Macedonian"},
    TLanguage{0x36, u"Afrikaans"},   TLanguage{0x37, u"Georgian"},   TLanguage{0x38, u"Faroese"},
    TLanguage{0x39, u"Hindi"},       TLanguage{0x3A, u"Maltese"},    TLanguage{0x3C, u"Irish"},
    TLanguage{0x3E, u"Malay"},       TLanguage{0x3F, u"Kazakh"},     TLanguage{0x41, u"Swahili"},
    TLanguage{0x43, u"Uzbek"},       TLanguage{0x45, u"Bangla"},     TLanguage{0x46, u"Punjabi"},
    TLanguage{0x47, u"Gujarati"},    TLanguage{0x49, u"Tamil"},      TLanguage{0x4A, u"Telugu"},
    TLanguage{0x4B, u"Kannada"},     TLanguage{0x4C, u"Malayalam"},  TLanguage{0x4E, u"Marathi"},
    TLanguage{0x50, u"Mongolian"},   TLanguage{0x52, u"Welsh"},      TLanguage{0x56, u"Galician"},
    TLanguage{0x61, u"Nepali"},      TLanguage{0x64, u"Filipino"},
};

static_assert(std::is_sorted(kLanguages.begin(), kLanguages.end(),
                             [](const TLanguage& a, const TLanguage& b) { return a.primary < b.primary; }));

} // namespace

std::u16string EnglishLanguageName(uint32_t lcid) {
    const uint16_t primary = static_cast<uint16_t>(lcid & 0x3FF);
    const auto it = std::lower_bound(kLanguages.begin(), kLanguages.end(), primary,
                                     [](const TLanguage& row, uint16_t p) { return row.primary < p; });
    return it != kLanguages.end() && it->primary == primary ? std::u16string(it->name) : std::u16string();
}
