#include "player/scripting/TScriptExpression.h"

#include "player/scripting/ScriptChars.h"
#include "player/scripting/ScriptResult.h"
#include "player/scripting/TScriptInterpreter.h"

#include <array>
#include <limits>
#include <string_view>

using namespace script_chars;

namespace {

struct TOperatorWord {
    std::u16string_view word;
    uint8_t op;
};

bool IsArithmetic(char16_t c) {
    return c == u'+' || c == u'-' || c == u'*' || c == u'/';
}

// Integer results wrap to 32 bits.
int32_t Wrap(int64_t value) {
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

} // namespace

TScriptExpression::TScriptExpression(TScriptInterpreter& interpreter, TScriptCursor& cursor,
                                     TStackInfo& scope, TScriptValue* output, bool single, bool bare)
    : interpreter_(interpreter), cursor_(cursor), scope_(scope), output_(output), single_(single),
      bare_(bare) {}

int32_t TScriptExpression::Evaluate(std::vector<TScriptValue>* values, std::vector<TGrVariables*>* parameters,
                                    int32_t& error) {
    values_ = values;
    parameters_ = parameters;
    start_ = cursor_.Pos;
    error = script_result::kSyntax;
    if (!bare_) {
        size_t open = cursor_.Pos;
        while (IsBlank(cursor_.At(open))) {
            ++open;
        }
        if (cursor_.At(open) != u'(') {
            error = script_result::kOk; // written without a list: no values
            return 0;
        }
        cursor_.Pos = open + 1;
    }
    if (!FindEnd()) {
        cursor_.Pos = start_;
        return -1;
    }
    if (values_ == nullptr && parameters_ == nullptr) {
        for (size_t p = cursor_.Pos; p < end_; ++p) {
            if (!IsBlank(cursor_.At(p))) {
                FailAtEnd(); // a member that takes no arguments was given some
                return -1;
            }
        }
    }
    while (cursor_.Pos < end_ && cursor_.Ch() != u')') {
        if (!Step()) {
            error = limit_ != 0 ? limit_ : script_result::kSyntax;
            return -1;
        }
    }
    if (arithmetic_ != TOperator::kNone || other_ != TOperator::kNone) {
        FailAtEnd();
        return -1;
    }
    PlaceBehindEnd();
    if (assignSeen_) {
        const TScriptValue* current = Current();
        if (target_ == nullptr || current == nullptr ||
            (target_->Value.Type != TScriptValue::kEmpty && target_->Value.Type != current->Type)) {
            return -1;
        }
        target_->Value = *current;
    }
    error = script_result::kOk;
    return count_;
}

bool TScriptExpression::FindEnd() {
    int32_t depth = 0;
    for (size_t p = cursor_.Pos;; ++p) {
        const char16_t c = cursor_.At(p);
        if (c == 0 || c == kCr || c == kLf) {
            end_ = p;
            return bare_;
        }
        if (c == u'(') {
            ++depth;
        } else if (c == u')' && depth-- == 0) {
            end_ = p;
            return true;
        }
    }
}

bool TScriptExpression::NothingPending() const {
    return !separator_ && arithmetic_ == TOperator::kNone && other_ == TOperator::kNone;
}

TScriptExpression::TOperator TScriptExpression::OperatorWordAt(const TScriptCursor& cursor, size_t position,
                                                               size_t& length) {
    // Tried in this order, so that ">=" wins over ">" and "==" over "=".
    static constexpr std::array<TOperatorWord, 9> kWords{{
        {u"AND", static_cast<uint8_t>(TOperator::kAnd)},
        {u"OR", static_cast<uint8_t>(TOperator::kOr)},
        {u"XOR", static_cast<uint8_t>(TOperator::kXor)},
        {u">=", static_cast<uint8_t>(TOperator::kGreaterEqual)},
        {u"<=", static_cast<uint8_t>(TOperator::kLessEqual)},
        {u"<", static_cast<uint8_t>(TOperator::kLess)},
        {u">", static_cast<uint8_t>(TOperator::kGreater)},
        {u"==", static_cast<uint8_t>(TOperator::kEqual)},
        {u"=", static_cast<uint8_t>(TOperator::kAssign)},
    }};
    switch (cursor.At(position)) {
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
        if (cursor.View(position, position + w.word.size()) == w.word) {
            length = w.word.size();
            return static_cast<TOperator>(w.op);
        }
    }
    return TOperator::kNone;
}

bool TScriptExpression::Step() {
    const char16_t c = cursor_.Ch();
    if (NothingPending()) {
        if (c == u',') {
            if (single_) {
                return FailAtEnd();
            }
            separator_ = true;
            ++cursor_.Pos;
            return true;
        }
        if (IsArithmetic(c)) {
            const TScriptValue* current = Current();
            if (current == nullptr || current->Type == TScriptValue::kEmpty) {
                return FailAtEnd(); // nothing to its left
            }
            arithmetic_ = c == u'+'   ? TOperator::kAdd
                          : c == u'-' ? TOperator::kSubtract
                          : c == u'*' ? TOperator::kMultiply
                                      : TOperator::kDivide;
            ++cursor_.Pos;
            return true;
        }
        size_t length = 0;
        const TOperator word = OperatorWordAt(cursor_, cursor_.Pos, length);
        if (word != TOperator::kNone) {
            if (word == TOperator::kAssign) {
                if (assignSeen_ || target_ == nullptr) {
                    return FailAtStart();
                }
                assignSeen_ = true;
            }
            other_ = word;
            cursor_.Pos += length;
            return true;
        }
    }
    // Blanks between tokens (a TAB too: it must not be taken for an operand that reads nothing).
    if (IsBlank(c)) {
        ++cursor_.Pos;
        return true;
    }
    TScriptValue operand;
    return ReadOperand(operand) && Combine(operand);
}

bool TScriptExpression::ReadOperand(TScriptValue& operand) {
    const char16_t c = cursor_.Ch();
    if (c == u'(') {
        std::vector<TScriptValue> inner;
        int32_t innerError = 0;
        if (interpreter_.EvaluateList(cursor_, &inner, nullptr, output_, innerError, scope_, true, false) <
            0) {
            limit_ = TScriptInterpreter::IsLimit(innerError) ? innerError : 0;
            return FailAtEnd();
        }
        if (!inner.empty()) {
            operand = std::move(inner.back());
        }
        return true;
    }
    if (c == u'"') {
        const size_t close = cursor_.View(cursor_.Pos + 1, end_).find(u'"');
        if (close == std::u16string_view::npos) {
            return FailAtStart();
        }
        operand.SetText(cursor_.View(cursor_.Pos + 1, cursor_.Pos + 1 + close));
        cursor_.Pos += close + 2;
        return true;
    }
    if (IsDigit(c)) {
        return ReadNumber(operand);
    }
    const size_t before = cursor_.Pos;
    TGrVariables* entry = nullptr;
    const int32_t read = interpreter_.ExecuteStatement(cursor_, operand, output_, scope_, &entry, true);
    if (read != script_result::kOk || cursor_.Pos == before) {
        limit_ = TScriptInterpreter::IsLimit(read) ? read : 0;
        return FailAtEnd(); // any other failure of an operand is a failure of the expression
    }
    if (!assignSeen_ && target_ == nullptr && entry != nullptr) {
        target_ = entry;
    }
    return true;
}

// A run of decimal digits, read as the C library reads a 32-bit long: past the largest value it stays
// at the largest value.
bool TScriptExpression::ReadNumber(TScriptValue& operand) {
    int64_t number = 0;
    size_t p = cursor_.Pos;
    for (; IsDigit(cursor_.At(p)); ++p) {
        number = std::min<int64_t>(number * 10 + (cursor_.At(p) - u'0'), std::numeric_limits<int32_t>::max());
    }
    const char16_t after = cursor_.At(p);
    size_t length = 0;
    if (!(p == end_ || IsBlank(after) || after == u',' || IsArithmetic(after) ||
          OperatorWordAt(cursor_, p, length) != TOperator::kNone)) {
        return FailAtStart();
    }
    operand.SetInt(static_cast<int32_t>(number));
    cursor_.Pos = p;
    return true;
}

bool TScriptExpression::Combine(TScriptValue& operand) {
    if (arithmetic_ != TOperator::kNone || other_ != TOperator::kNone) {
        TScriptValue* current = Current();
        if (current == nullptr || operand.Type == TScriptValue::kEmpty) {
            return FailAtEnd();
        }
        if (current->Type == TScriptValue::kEmpty) {
            *current = TScriptValue::OfType(operand.Type);
        }
        if (operand.Type != current->Type) {
            return FailAtEnd();
        }
        if (!(other_ != TOperator::kNone ? Compare(*current, operand) : Calculate(*current, operand))) {
            return false;
        }
    } else if (!Append(operand)) {
        return false;
    }
    separator_ = false;
    arithmetic_ = TOperator::kNone;
    other_ = TOperator::kNone;
    return true;
}

bool TScriptExpression::Compare(TScriptValue& current, const TScriptValue& operand) {
    const bool text = operand.Type == TScriptValue::kText;
    const int comparison = text ? current.Text.compare(operand.Text)
                                : (current.Int < operand.Int ? -1 : (current.Int > operand.Int ? 1 : 0));
    bool truth = false;
    switch (other_) {
    case TOperator::kAssign:
        current = operand;
        return true;
    case TOperator::kAnd:
    case TOperator::kOr:
    case TOperator::kXor: {
        if (text) {
            return FailAtEnd();
        }
        const bool left = current.Int != 0;
        const bool right = operand.Int != 0;
        truth = other_ == TOperator::kAnd  ? left && right
                : other_ == TOperator::kOr ? left || right
                                           : left != right;
        break;
    }
    case TOperator::kLess:
        truth = comparison < 0;
        break;
    case TOperator::kGreater:
        truth = comparison > 0;
        break;
    case TOperator::kLessEqual:
        truth = comparison <= 0;
        break;
    case TOperator::kGreaterEqual:
        truth = comparison >= 0;
        break;
    default:
        truth = comparison == 0;
        break;
    }
    current.SetInt(truth ? 1 : 0);
    return true;
}

bool TScriptExpression::Calculate(TScriptValue& current, const TScriptValue& operand) {
    if (operand.Type == TScriptValue::kText) {
        if (arithmetic_ != TOperator::kAdd ||
            current.Text.size() + operand.Text.size() > interpreter_.MaxTextUnits()) {
            return FailAtEnd();
        }
        current.Text += operand.Text;
        return true;
    }
    const int64_t left = current.Int;
    const int64_t right = operand.Int;
    switch (arithmetic_) {
    case TOperator::kAdd:
        current.Int = Wrap(left + right);
        break;
    case TOperator::kSubtract:
        current.Int = Wrap(left - right);
        break;
    case TOperator::kMultiply:
        current.Int = Wrap(left * right);
        break;
    default:
        // Truncating toward zero; the smallest value divided by -1 wraps to itself.
        current.Int = right == 0 ? 0 : Wrap(left / right);
        break;
    }
    return true;
}

bool TScriptExpression::Append(TScriptValue& operand) {
    if (parameters_ != nullptr) {
        if (operand.Type == TScriptValue::kEmpty) {
            return FailAtEnd();
        }
        if (nextParameter_ < parameters_->size()) {
            TGrVariables* parameter = (*parameters_)[nextParameter_];
            if (parameter->Value.Type != operand.Type) {
                return FailAtEnd();
            }
            parameter->Value = std::move(operand);
        } else {
            overflow_ = std::move(operand);
        }
        ++nextParameter_;
    } else if (values_ != nullptr) {
        values_->push_back(std::move(operand));
    } else {
        return FailAtEnd();
    }
    ++count_;
    return true;
}

TScriptValue* TScriptExpression::Current() {
    if (parameters_ != nullptr) {
        if (nextParameter_ == 0) {
            return nullptr;
        }
        return nextParameter_ > parameters_->size() ? &overflow_ : &(*parameters_)[nextParameter_ - 1]->Value;
    }
    return values_ != nullptr && !values_->empty() ? &values_->back() : nullptr;
}

bool TScriptExpression::FailAtStart() {
    cursor_.Pos = start_;
    return false;
}

bool TScriptExpression::FailAtEnd() {
    PlaceBehindEnd();
    return false;
}

void TScriptExpression::PlaceBehindEnd() {
    cursor_.Pos = bare_ && cursor_.At(end_) == 0 ? end_ : end_ + 1;
}
