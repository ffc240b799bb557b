#pragma once
// What the expression reader finds at one position of the script text: the token that starts there,
// read from the text alone. Whether it is taken as an operator or as an operand, and whether it fits
// into the list being read, the reader decides from its state and the list's end.
#include "player/scripting/TScriptCursor.h"

#include <cstddef>
#include <cstdint>

struct TScriptToken {
    enum class TKind : uint8_t {
        kComma,
        kArithmetic, // "+", "-", "*" or "/"
        kWord,       // "AND", "OR", "XOR", ">=", "<=", "<", ">", "==" or "="
        kBlanks,     // spaces and TABs up to Next
        kOpen,       // "(": a sub-expression
        kQuote,      // a text literal up to the double quote at Next (kNoQuote: none follows)
        kNumber,     // decimal digits up to Next, worth Number
        kOther       // a name, a built-in or a statement
    };
    enum class TOperator : uint8_t {
        kNone,
        kAdd,
        kSubtract,
        kMultiply,
        kDivide,
        kAnd,
        kOr,
        kXor,
        kGreaterEqual,
        kLessEqual,
        kLess,
        kGreater,
        kEqual,
        kAssign
    };
    static constexpr size_t kNoQuote = SIZE_MAX;

    static constexpr bool IsArithmetic(TOperator op) {
        return op >= TOperator::kAdd && op <= TOperator::kDivide;
    }

    // The token at the position. A part of the text ends on a "}" or ")", which no token but a
    // one-character one holds, so a token reads the same in a part as in the whole text.
    static TScriptToken Read(const TScriptCursor& text, size_t position);
    // The comparison, logical or assignment operator written at the position, and its length.
    static TOperator WordAt(const TScriptCursor& text, size_t position, size_t& length);

    TKind Kind = TKind::kOther;
    TOperator Operator = TOperator::kNone;
    // A number: what follows it may end it (a blank, a comma, an operator).
    bool NumberEnds = false;
    // The position behind the token (a quote: of its closing quote).
    size_t Next = 0;
    // Where reading goes on behind the token (a quote: behind its closing quote), past the blanks
    // after it; blanks between tokens change nothing.
    size_t Skip = 0;
    int32_t Number = 0;
};
