#include "subtitles/profiles/ProfileField.h"

#include "platform/text/CodePage.h"

std::string CutToField(std::string_view text, std::size_t maxBytes) {
    return std::string(text.substr(0, plat::text::Utf8CutLength(text, maxBytes)));
}
