#pragma once
// Matches the literal text of a template at a position of the subject, optionally searching further
// on (character by character or line by line) or asking that the text is not there. A line end in
// the literal matches any line break of the subject when the line end is CR LF, LF or CR (files mix
// them), else only itself. A search remembers where it ended, so that a later search for the same
// literal that starts inside the stretch already searched jumps straight to that end: scanning a file
// line by line stays linear even when the literal is far away or never comes.
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <tuple>

class TLiteralSearch {
public:
    struct Modes {
        bool Search = false;   // look further on when the literal is not at the position
        bool LineSkip = false; // searching goes from line start to line start
        bool Negate = false;   // succeed where the literal is not
    };

    // Forgets what earlier searches found; called for every new subject.
    void Reset(std::u16string_view subject);

    // True on success, with the position past the literal (unchanged under negation; at the end of
    // the text when a search ran off it). Lines end with `lineEnd`.
    bool Match(std::size_t& position, std::u16string_view literal, std::u16string_view lineEnd, Modes modes);

private:
    struct Found {
        std::size_t From;
        std::size_t At;
    };
    using Key = std::tuple<std::u16string, std::u16string, bool, bool>;

    // How many characters of the subject the literal stands for at `position`; npos when it is not
    // there.
    std::size_t Length(std::size_t position, std::u16string_view literal, std::u16string_view lineEnd) const;
    // The next place a search looks at after `position`.
    std::size_t Next(std::size_t position, std::u16string_view lineEnd, bool lineSkip) const;
    bool IsLineStart(std::size_t position, std::u16string_view lineEnd) const;
    // True when a search that started at found.From looked at `position` too.
    bool Searched(const Found& found, std::size_t position, std::u16string_view lineEnd, bool lineSkip) const;

    std::u16string_view FSubject;
    std::map<Key, Found> FFound;
};
