#include "player/scripting/TScriptToken.h"

#include "player/scripting/ScriptChars.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string_view>

using namespace script_chars;

namespace {

struct TOperatorWord {
    std::u16string_view word;
    TScriptToken::TOperator op;
};

TScriptToken::TOperator ArithmeticOf(char16_t c) {
    switch (c) {
    case u'+':
        return TScriptToken::TOperator::kAdd;
    case u'-':
        return TScriptToken::TOperator::kSubtract;
    case u'*':
        return TScriptToken::TOperator::kMultiply;
    case u'/':
        return TScriptToken::TOperator::kDivide;
    default:
        return TScriptToken::TOperator::kNone;
    }
}

} // namespace

TScriptToken::TOperator TScriptToken::WordAt(const TScriptCursor& text, size_t position, size_t& length) {
    // Tried in this order, so that ">=" wins over ">" and "==" over "=".
    static constexpr std::array<TOperatorWord, 9> kWords{{
        {u"AND", TOperator::kAnd},
        {u"OR", TOperator::kOr},
        {u"XOR", TOperator::kXor},
        {u">=", TOperator::kGreaterEqual},
        {u"<=", TOperator::kLessEqual},
        {u"<", TOperator::kLess},
        {u">", TOperator::kGreater},
        {u"==", TOperator::kEqual},
        {u"=", TOperator::kAssign},
    }};
    switch (text.At(position)) {
    case u'A':
    case u'O':
    case u'X':
    case u'>':
    case u'<':
    case u'=':
        break;
    default:
        return TOperator::kNone;
    }
    for (const TOperatorWord& w : kWords) {
        if (text.View(position, position + w.word.size()) == w.word) {
            length = w.word.size();
            return w.op;
        }
    }
    return TOperator::kNone;
}

TScriptToken TScriptToken::Read(const TScriptCursor& text, size_t position) {
    TScriptToken token;
    const char16_t c = text.At(position);
    size_t length = 0;
    if (c == u',') {
        token.Kind = TKind::kComma;
        token.Next = position + 1;
    } else if (const TOperator arithmetic = ArithmeticOf(c); arithmetic != TOperator::kNone) {
        token.Kind = TKind::kArithmetic;
        token.Operator = arithmetic;
        token.Next = position + 1;
    } else if (const TOperator word = WordAt(text, position, length); word != TOperator::kNone) {
        token.Kind = TKind::kWord;
        token.Operator = word;
        token.Next = position + length;
    } else if (IsBlank(c)) {
        token.Kind = TKind::kBlanks;
        for (token.Next = position; IsBlank(text.At(token.Next)); ++token.Next) {
        }
    } else if (c == u'(') {
        token.Kind = TKind::kOpen;
    } else if (c == u'"') {
        token.Kind = TKind::kQuote;
        const size_t close = text.View(position + 1, text.End).find(u'"');
        token.Next = close == std::u16string_view::npos ? kNoQuote : position + 1 + close;
    } else if (IsDigit(c)) {
        token.Kind = TKind::kNumber;
        // Read as the C library reads a 32-bit long: past the largest value it stays at the largest value.
        int64_t number = 0;
        for (token.Next = position; IsDigit(text.At(token.Next)); ++token.Next) {
            number = std::min<int64_t>(number * 10 + (text.At(token.Next) - u'0'),
                                       std::numeric_limits<int32_t>::max());
        }
        token.Number = static_cast<int32_t>(number);
        const char16_t after = text.At(token.Next);
        token.NumberEnds = IsBlank(after) || after == u',' || ArithmeticOf(after) != TOperator::kNone ||
                           WordAt(text, token.Next, length) != TOperator::kNone;
    }
    token.Skip = token.Kind == TKind::kQuote && token.Next != kNoQuote ? token.Next + 1 : token.Next;
    while (token.Kind != TKind::kOpen && token.Kind != TKind::kOther && IsBlank(text.At(token.Skip))) {
        ++token.Skip;
    }
    return token;
}
