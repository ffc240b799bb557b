#pragma once
// One list of expressions in the script text of a run (an argument list, a condition, a parenthesised
// sub-expression or a bare expression to the end of its line) as read within one part of the text:
// where it ends, and the tokens that follow one another from its start, read once with what can be
// told of them beforehand (whether a number or a literal ends within the list, a name's number).
// Loops and recursions then evaluate a list without reading its text again. The reader falls back to
// the text wherever an operand (a function call, a built-in) leaves it elsewhere.
#include "player/scripting/TScriptCursor.h"
#include "player/scripting/TScriptToken.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class TScriptInterpreter;

class TScriptListCode {
public:
    struct TOp {
        size_t Lead; // where the blanks before the token start (its position when there are none)
        size_t Position;
        TScriptToken Token;
        // A number or a text literal that ends within the list; a name (of at most 49 characters)
        // that is followed by what may follow a name, within the part.
        bool Fits = false;
        // A name: the statement there is the name (no keyword, no built-in), once the interpreter has
        // found so.
        bool PlainName = false;
        uint8_t NameLength = 0;
        uint32_t NameId = 0;
    };

    // The list whose text starts at `start` (behind its "(", or at a bare expression's first
    // character) in a part of the run's text that ends at `partEnd`.
    TScriptListCode(TScriptInterpreter& interpreter, size_t start, size_t partEnd, bool bare);

    // From the position: the ")" that closes a list at depth 0 (closed), else the CR, LF or end of text.
    static size_t ScanEnd(const TScriptCursor& text, size_t from, bool& closed);

    // Whether this is the list as read in a part that ends there, bare or not.
    bool Fits(size_t partEnd, bool bare) const { return partEnd == partEnd_ && bare == bare_; }
    size_t End() const { return end_; }
    bool Closed() const { return closed_; }
    // The index of the token that the position stands on or among the blanks before, searching from
    // `from` on; the number of tokens when there is none.
    size_t Find(size_t position, size_t from) const;
    TOp& operator[](size_t index) { return ops_[index]; }
    size_t Size() const { return ops_.size(); }

private:
    // Reads the tokens from `start` for as long as each one's end is known.
    void Read(TScriptInterpreter& interpreter, size_t start);
    // Where reading goes on behind the token; 0 when that depends on how the operand runs.
    size_t Behind(TScriptInterpreter& interpreter, TOp& op);

    const size_t partEnd_;
    const bool bare_;
    size_t end_ = 0;
    bool closed_ = false;
    std::vector<TOp> ops_;
};
