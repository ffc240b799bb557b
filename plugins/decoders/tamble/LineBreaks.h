#pragma once
// Line breaks of subtitle text. Files come with CR LF, LF or (rarely) CR alone, often mixed after
// editing; a definition whose line end is one of these forms takes any of them as its line end.
#include <cstddef>
#include <string_view>

namespace line_breaks {

// True for CR LF, LF and CR: line ends that stand for "a line break" rather than for a sequence of
// the format's own.
inline bool IsBreakForm(std::u16string_view lineEnd) {
    return lineEnd == u"\r\n" || lineEnd == u"\n" || lineEnd == u"\r";
}

// The length of the line break at `at` (CR LF 2, CR or LF 1), 0 when none is there.
inline std::size_t LengthAt(std::u16string_view text, std::size_t at) {
    if (at >= text.size() || (text[at] != u'\r' && text[at] != u'\n')) {
        return 0;
    }
    return text.substr(at, 2) == u"\r\n" ? 2 : 1;
}

// True when a line starts at `at`: at the start of the text or right after a line break (not between
// the CR and LF of one).
inline bool IsLineStart(std::u16string_view text, std::size_t at) {
    if (at == 0) {
        return true;
    }
    const char16_t before = text[at - 1];
    return before == u'\n' || (before == u'\r' && (at >= text.size() || text[at] != u'\n'));
}

} // namespace line_breaks
