#include "core/src/graph/TReportText.h"

#include "platform/text/CodePage.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr char16_t kReplacement = u'\uFFFD';

bool AllowedInXml(char16_t c) {
    return c >= u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

} // namespace

void TReportText::AppendEscaped(TMemoryObject& out, std::u16string_view text) {
    std::u16string clean(text);
    for (char16_t& c : clean) {
        if (!AllowedInXml(c)) {
            c = kReplacement;
        }
    }
    out.AppendXmlEscaped(clean.c_str(), false, false);
}

void TReportText::AppendEscapedUtf8(TMemoryObject& out, std::string_view text) {
    AppendEscaped(out, plat::text::AnsiToWide(text));
}

char16_t* TReportText::Handover(const TMemoryObject& text, std::size_t terminators) {
    const std::size_t used = static_cast<std::size_t>(text.Used);
    const std::size_t size = used + terminators * sizeof(char16_t);
    auto* block = static_cast<char*>(std::malloc(size));
    if (block == nullptr) {
        return nullptr;
    }
    if (used != 0) {
        std::memcpy(block, text.Data, used);
    }
    std::memset(block + used, 0, size - used);
    return reinterpret_cast<char16_t*>(block);
}
