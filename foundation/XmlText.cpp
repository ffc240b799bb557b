#include "foundation/XmlText.h"

#include "foundation/FileIo.h"
#include "foundation/XmlScan.h"
#include "platform/text/CodePage.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string_view>

namespace {

struct XmlEntity {
    std::u16string_view text; // without the leading '&'
    char16_t ch;
    bool extended;
};

constexpr XmlEntity kEntities[] = {
    {u"lt;", u'<', false},   {u"gt;", u'>', false},   {u"amp;", u'&', false},
    {u"quot;", u'"', false}, {u"slash;", u'/', true}, {u"bkslash;", u'\\', true},
    {u"col;", u':', true},   {u"ast;", u'*', true},   {u"bar;", u'|', true},
};

// The entity that starts at `rest` (just after an '&'), or nullptr.
const XmlEntity* MatchEntity(std::u16string_view rest, bool extended) {
    for (const XmlEntity& e : kEntities) {
        if (!rest.empty() && rest[0] == e.text[0] && (extended || !e.extended) && rest.starts_with(e.text)) {
            return &e;
        }
    }
    return nullptr;
}

} // namespace

std::size_t XmlDecodeEntitiesTo(char16_t* target, const char16_t* source, std::size_t count, bool extended) {
    const char16_t* end = source + count;
    char16_t* out = target;
    while (source < end) {
        const char16_t* amp = xmlscan::FindFirstOf<u'&'>(source, end);
        xmlscan::MoveChars(out, source, static_cast<std::size_t>(amp - source));
        out += amp - source;
        source = amp;
        if (source == end) {
            break;
        }
        if (*source != u'&') {
            *out++ = *source++; // a zero character, which the search also stops at
            continue;
        }
        const XmlEntity* e = MatchEntity(std::u16string_view(source + 1, end), extended);
        *out++ = e ? e->ch : u'&';
        source += e ? e->text.size() + 1 : 1;
    }
    return static_cast<std::size_t>(out - target);
}

bool XmlDecodeEntities(char16_t* text, bool extended) {
    if (!text) {
        return false;
    }
    text[XmlDecodeEntitiesTo(text, text, std::char_traits<char16_t>::length(text), extended)] = 0;
    return true;
}

std::int32_t XmlNumber(const char16_t* text) {
    if (text == nullptr) {
        return 0;
    }
    bool negative = false;
    if (*text == u'-' || *text == u'+') {
        negative = *text == u'-';
        ++text;
    }
    std::int64_t value = 0;
    for (; *text >= u'0' && *text <= u'9'; ++text) {
        value = std::min<std::int64_t>(value * 10 + (*text - u'0'),
                                       std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1);
    }
    value = negative ? -value : std::min<std::int64_t>(value, std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(value);
}

bool ReadFileBytesA(const char* path, std::string& bytes) {
    return path && fileio::ReadWholeFile(path, bytes);
}

bool ReadTextFileW(const char16_t* path, std::u16string& text) {
    std::string bytes;
    if (!path || !fileio::ReadWholeFile(plat::text::WideToAnsi(path).c_str(), bytes)) {
        return false;
    }
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    if (bytes.size() > 1 && b[0] == 0xFF && b[1] == 0xFE) {
        std::u16string decoded;
        decoded.reserve((bytes.size() - 2) / 2);
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const char16_t c = static_cast<char16_t>(b[i] | b[i + 1] << 8);
            if (c == 0) {
                break;
            }
            decoded.push_back(c);
        }
        text = std::move(decoded);
    } else {
        text = plat::text::AnsiToWide(bytes);
    }
    return true;
}
