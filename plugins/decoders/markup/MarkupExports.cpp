#include "plugins/decoders/markup/MarkupExports.h"

#include "plugins/decoders/support/ScrExports.h"
#include "plugins/decoders/support/SsaV4Writer.h"

#include <cstring>
#include <limits>

namespace markup {

int32_t HandOutScript(const std::vector<TMarkupStyle>& styles, const std::vector<TMarkupEvent>& events,
                      const std::optional<std::string>& setting, void** text, int32_t* textSize,
                      char** advanced, int32_t* advancedLength) {
    if (text == nullptr || textSize == nullptr) {
        return 0;
    }
    const std::string script = scr::WriteAnsiSsaV4(styles, events);
    if (script.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) {
        return 0;
    }
    char* out = scr::HandOut(script);
    char* newSetting = setting ? scr::HandOut(*setting) : nullptr;
    if (out == nullptr || (setting && newSetting == nullptr)) {
        scr::FreeHandedOut(reinterpret_cast<void**>(&out), &newSetting);
        return 0;
    }
    *text = out;
    *textSize = static_cast<int32_t>(script.size());
    if (advanced != nullptr) {
        *advanced = newSetting;
        if (advancedLength != nullptr) {
            *advancedLength = setting ? static_cast<int32_t>(setting->size()) : 0;
        }
    } else {
        scr::FreeHandedOut(nullptr, &newSetting);
    }
    return 1;
}

std::string SettingText(char* const* advanced, const int32_t* advancedLength) {
    if (advanced == nullptr || *advanced == nullptr || advancedLength == nullptr || *advancedLength <= 0) {
        return {};
    }
    return std::string(*advanced, strnlen(*advanced, static_cast<std::size_t>(*advancedLength)));
}

} // namespace markup
