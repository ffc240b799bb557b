#pragma once
// What the expression reader finds at one position of the script text: the token that starts there,
// read from the text alone. Whether it is taken as an operator or as an operand, and whether it fits
// into the list being read, the reader decides from its state and the list's end.
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

    TKind Kind = TKind::kOther;
    TOperator Operator = TOperator::kNone;
    // A number: what follows it may end it (a blank, a comma, an operator).
    bool NumberEnds = false;
    // The position behind the token (a quote: of its closing quote).
    size_t Next = 0;
    int32_t Number = 0;
};
