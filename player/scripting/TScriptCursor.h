#pragma once
// Where the interpreter reads: the script text, a position in it and the end of the part being run (a
// whole script, or a function's body). Positions count from the start of the whole script, so a
// position reached inside a function's body is also a position in the script. Past the end of the part
// every character reads as NUL; the text is never written.
#include <algorithm>
#include <cstddef>
#include <string_view>

struct TScriptCursor {
    TScriptCursor() = default;
    // The whole text up to its first NUL.
    explicit TScriptCursor(std::u16string_view text)
        : Base(text.data()), Pos(0), End(std::min(text.find(u'\0'), text.size())) {}

    // The characters [from, to) of the same text, the cursor at `from`.
    TScriptCursor Part(size_t from, size_t to) const {
        TScriptCursor part = *this;
        part.Pos = from;
        part.End = to;
        return part;
    }

    char16_t At(size_t position) const { return position < End ? Base[position] : u'\0'; }
    char16_t Ch() const { return At(Pos); }
    // The characters [from, to), cut at the end.
    std::u16string_view View(size_t from, size_t to) const {
        to = std::min(to, End);
        return from < to ? std::u16string_view(Base + from, to - from) : std::u16string_view();
    }
    bool StartsWith(std::u16string_view word) const { return View(Pos, Pos + word.size()) == word; }

    const char16_t* Base = nullptr;
    size_t Pos = 0;
    size_t End = 0;
};
