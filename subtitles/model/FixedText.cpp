#include "subtitles/model/FixedText.h"

#include "platform/text/WideString.h"

#include <algorithm>

std::u16string_view FixedTextView(const char16_t* field, std::size_t units) {
    return {field, plat::text::WLenBounded(field, units)};
}

void SetFixedText(char16_t* field, std::size_t units, std::u16string_view text) {
    if (units == 0) {
        return;
    }
    const std::size_t length = std::min(text.size(), units - 1);
    std::copy_n(text.begin(), length, field);
    std::fill(field + length, field + units, u'\0');
}
