#include "plugins/decoders/quend/TJacoTextConverter.h"

#include "platform/text/Unicode.h"

namespace {

std::size_t SkipBlanks(std::string_view text, std::size_t pos) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
        ++pos;
    }
    return pos;
}

} // namespace

void TJacoTextConverter::Convert(std::string_view text, std::string_view overrides) {
    FText.Clear();
    FName.clear();
    FText.Append(overrides);
    std::size_t pos = 0;
    if (!text.empty() && text.front() == '{') {
        const std::size_t close = text.find('}');
        if (close == std::string_view::npos) {
            return;
        }
        FName = std::string(text.substr(1, std::min(close - 1, kMaxName)));
        pos = SkipBlanks(text, close + 1);
    }
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == '{') {
            const std::size_t close = text.find('}', pos);
            if (close == std::string_view::npos) {
                return;
            }
            pos = close + 1;
        } else if (c != '\\') {
            FText.Append(c);
            ++pos;
        } else if (pos + 1 < text.size()) {
            pos = ConvertCode(text, pos + 1);
        } else {
            // A backslash ending the line continues the text on the next one, joined without a blank:
            // trailing spaces before the join and leading blanks after it are dropped, so a word split
            // over two lines comes out whole.
            FText.TrimTrailingSpaces();
            std::string_view next;
            if (!FLines.Next(next)) {
                return;
            }
            text = next;
            pos = SkipBlanks(text, 0);
        }
    }
}

std::size_t TJacoTextConverter::ConvertCode(std::string_view text, std::size_t pos) {
    const char code = text[pos++];
    switch (code) {
    case 'B':
        FText.AppendWhole("{\\b1}");
        break;
    case 'b':
        FText.AppendWhole("{\\b0}");
        break;
    case 'I':
        FText.AppendWhole("{\\i1}");
        break;
    case 'i':
        FText.AppendWhole("{\\i0}");
        break;
    case 'C': {
        const int digit = pos < text.size()
                              ? plat::text::unicode::HexDigitValue(static_cast<unsigned char>(text[pos]))
                              : -1;
        if (digit >= 0) {
            FState.LastColourEntry = static_cast<std::size_t>(digit);
            ++pos;
        }
        FText.AppendWhole(FState.PaletteOverride(FState.LastColourEntry));
        break;
    }
    case 'F':
        pos += pos < text.size() ? 1 : 0;
        break;
    case 'N':
        FText.AppendWhole("{\\r}");
        break;
    case 'n':
        FText.AppendWhole("\\n");
        break;
    case '\\':
    case '{':
    case '~':
        FText.Append(code);
        break;
    default:
        break;
    }
    return pos;
}
