#include "player/scripting/TScriptExpression.h"

#include "player/scripting/ScriptChars.h"
#include "player/scripting/ScriptResult.h"
#include "player/scripting/TScriptInterpreter.h"
#include "player/scripting/TScriptTextMemo.h"

#include <array>
#include <limits>
#include <string_view>

using namespace script_chars;

namespace {

// Integer results wrap to 32 bits.
int32_t Wrap(int64_t value) {
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

} // namespace

TScriptExpression::TScriptExpression(TScriptInterpreter& interpreter, TScriptCursor& cursor,
                                     TStackInfo& scope, TScriptValue* output, bool single, bool bare)
    : interpreter_(interpreter), cursor_(cursor), scope_(scope), output_(output), single_(single),
      bare_(bare) {}

int32_t TScriptExpression::Evaluate(TScriptValues* values, TStackInfo* parameters, int32_t& error) {
    values_ = values;
    parameters_ = parameters;
    nextParameter_ = parameters != nullptr ? parameters->Variables().Head : nullptr;
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
    if (!ReadTokens()) {
        error = limit_ != 0 ? limit_ : script_result::kSyntax;
        return -1;
    }
    if (pending_ != TOperator::kNone) {
        FailAtEnd();
        return -1;
    }
    PlaceBehindEnd();
    if (assignSeen_) {
        if (target_ == nullptr || current_ == nullptr ||
            (target_->Value.Type != TScriptValue::kEmpty && target_->Value.Type != current_->Type)) {
            return -1;
        }
        target_->Value = *current_;
    }
    error = script_result::kOk;
    return count_;
}

bool TScriptExpression::FindEnd() {
    TScriptTextMemo& memo = interpreter_.Memo();
    if (TScriptTextMemo::TFacts* facts = memo.At(cursor_, cursor_.Pos)) {
        if (!facts->List) {
            // Reading the list's code adds answers for other positions: the facts are looked up anew.
            auto code = std::make_unique<TScriptListCode>(interpreter_, cursor_.Pos, cursor_.End, bare_);
            facts = memo.At(cursor_, cursor_.Pos);
            facts->List = std::move(code);
        }
        // The same text read within another part (rare) is read from the text.
        code_ = facts->List->Fits(cursor_.End, bare_) ? facts->List.get() : nullptr;
    }
    bool closed = false;
    if (code_ != nullptr) {
        end_ = code_->End();
        closed = code_->Closed();
    } else {
        end_ = TScriptListCode::ScanEnd(cursor_, cursor_.Pos, closed);
    }
    return closed || bare_;
}

bool TScriptExpression::NothingPending() const {
    return !separator_ && pending_ == TOperator::kNone;
}

bool TScriptExpression::ReadTokens() {
    if (code_ == nullptr) {
        while (cursor_.Pos < end_ && cursor_.Ch() != u')') {
            if (!Step(TScriptToken::Read(cursor_, cursor_.Pos))) {
                return false;
            }
        }
        return true;
    }
    size_t next = 0;
    while (cursor_.Pos < end_ && cursor_.Ch() != u')') {
        TScriptListCode& code = *code_;
        if (next >= code.Size() || code[next].Lead > cursor_.Pos || code[next].Position < cursor_.Pos) {
            next = code.Find(cursor_.Pos, next < code.Size() && code[next].Lead <= cursor_.Pos ? next : 0);
        }
        if (next == code.Size()) { // an operand left the reader where the list's code does not go
            if (!Step(TScriptToken::Read(cursor_, cursor_.Pos))) {
                return false;
            }
            continue;
        }
        cursor_.Pos = code[next].Position; // blanks before a token change nothing
        if (!StepCode(code[next])) {
            return false;
        }
        ++next;
    }
    return true;
}

bool TScriptExpression::StepCode(TScriptListCode::TOp& op) {
    switch (op.Token.Kind) {
    case TKind::kNumber:
    case TKind::kQuote:
        if (op.Fits) {
            TScriptValue operand;
            if (op.Token.Kind == TKind::kNumber) {
                operand.SetInt(op.Token.Number);
            } else {
                operand.SetText(cursor_.View(op.Position + 1, op.Token.Next));
            }
            cursor_.Pos = op.Token.Skip;
            return Combine(operand);
        }
        break;
    case TKind::kOther:
        if (op.PlainName && op.Fits) {
            // A variable is read where it stands; a function's answer comes as a value of its own.
            TScriptValue answer;
            const size_t before = cursor_.Pos;
            TGrVariables* variable = nullptr;
            const int32_t read = interpreter_.NameOperand(cursor_, {op.NameLength, op.NameId}, answer,
                                                          output_, scope_, variable);
            return TookOperand(read, before, variable) &&
                   Combine(variable != nullptr ? variable->Value : answer);
        }
        if (op.NameLength > 0) {
            // Run from the text, which tells the interpreter whether this is a plain name.
            const bool stepped = Step(op.Token);
            const TScriptTextMemo::TFacts* facts =
                interpreter_.Memo().At(interpreter_.Memo().Script(), op.Position);
            op.PlainName = facts != nullptr && facts->PlainName;
            return stepped;
        }
        break;
    default:
        break;
    }
    return Step(op.Token);
}

bool TScriptExpression::Step(const TScriptToken& token) {
    if (NothingPending()) {
        switch (token.Kind) {
        case TKind::kComma:
            if (single_) {
                return FailAtEnd();
            }
            separator_ = true;
            cursor_.Pos = token.Skip;
            return true;
        case TKind::kArithmetic: {
            if (current_ == nullptr || current_->Type == TScriptValue::kEmpty) {
                return FailAtEnd(); // nothing to its left
            }
            pending_ = token.Operator;
            cursor_.Pos = token.Skip;
            return true;
        }
        case TKind::kWord:
            if (token.Operator == TOperator::kAssign) {
                if (assignSeen_ || target_ == nullptr) {
                    return FailAtStart();
                }
                assignSeen_ = true;
            }
            pending_ = token.Operator;
            cursor_.Pos = token.Skip;
            return true;
        default:
            break;
        }
    }
    // Blanks between tokens (a TAB too: it must not be taken for an operand that reads nothing).
    if (token.Kind == TKind::kBlanks) {
        cursor_.Pos = token.Next;
        return true;
    }
    TScriptValue operand;
    return ReadOperand(token, operand) && Combine(operand);
}

bool TScriptExpression::ReadOperand(const TScriptToken& token, TScriptValue& operand) {
    if (token.Kind == TKind::kOpen) {
        TScriptValues inner;
        int32_t innerError = 0;
        if (interpreter_.EvaluateList(cursor_, &inner, nullptr, output_, innerError, scope_, true, false) <
            0) {
            limit_ = TScriptInterpreter::IsLimit(innerError) ? innerError : 0;
            return FailAtEnd();
        }
        if (!inner.Empty()) {
            operand = std::move(inner.Back());
        }
        return true;
    }
    if (token.Kind == TKind::kQuote) {
        if (token.Next == TScriptToken::kNoQuote || token.Next >= end_) {
            return FailAtStart(); // no closing quote within the list
        }
        operand.SetText(cursor_.View(cursor_.Pos + 1, token.Next));
        cursor_.Pos = token.Skip;
        return true;
    }
    if (token.Kind == TKind::kNumber) {
        return ReadNumber(token, operand);
    }
    const size_t before = cursor_.Pos;
    TGrVariables* entry = nullptr;
    const int32_t read = interpreter_.ExecuteStatement(cursor_, operand, output_, scope_, &entry, true);
    return TookOperand(read, before, entry);
}

bool TScriptExpression::TookOperand(int32_t read, size_t before, TGrVariables* entry) {
    if (read != script_result::kOk || cursor_.Pos == before) {
        limit_ = TScriptInterpreter::IsLimit(read) ? read : 0;
        return FailAtEnd(); // any other failure of an operand is a failure of the expression
    }
    if (!assignSeen_ && target_ == nullptr && entry != nullptr) {
        target_ = entry;
    }
    return true;
}

// A number ends at the end of the list, or before a blank, a comma or an operator.
bool TScriptExpression::ReadNumber(const TScriptToken& token, TScriptValue& operand) {
    if (token.Next != end_ && !token.NumberEnds) {
        return FailAtStart();
    }
    operand.SetInt(token.Number);
    cursor_.Pos = token.Skip;
    return true;
}

bool TScriptExpression::Combine(const TScriptValue& operand) {
    if (pending_ != TOperator::kNone) {
        if (current_ == nullptr || operand.Type == TScriptValue::kEmpty) {
            return FailAtEnd();
        }
        if (current_->Type == TScriptValue::kEmpty) {
            *current_ = TScriptValue::OfType(operand.Type);
        }
        if (operand.Type != current_->Type) {
            return FailAtEnd();
        }
        if (!(TScriptToken::IsArithmetic(pending_) ? Calculate(*current_, operand)
                                                   : Compare(*current_, operand))) {
            return false;
        }
    } else if (!Append(operand)) {
        return false;
    }
    separator_ = false;
    pending_ = TOperator::kNone;
    return true;
}

bool TScriptExpression::Compare(TScriptValue& current, const TScriptValue& operand) {
    const bool text = operand.Type == TScriptValue::kText;
    const int comparison = text ? current.Text.compare(operand.Text)
                                : (current.Int < operand.Int ? -1 : (current.Int > operand.Int ? 1 : 0));
    bool truth = false;
    switch (pending_) {
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
        truth = pending_ == TOperator::kAnd  ? left && right
                : pending_ == TOperator::kOr ? left || right
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
        if (pending_ != TOperator::kAdd ||
            current.Text.size() + operand.Text.size() > interpreter_.MaxTextUnits()) {
            return FailAtEnd();
        }
        current.Text += operand.Text;
        return true;
    }
    const int64_t left = current.Int;
    const int64_t right = operand.Int;
    switch (pending_) {
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

bool TScriptExpression::Append(const TScriptValue& operand) {
    if (parameters_ != nullptr) {
        if (operand.Type == TScriptValue::kEmpty) {
            return FailAtEnd();
        }
        if (nextParameter_ != nullptr) {
            if (nextParameter_->Value.Type != operand.Type) {
                return FailAtEnd();
            }
            nextParameter_->Value = operand;
            current_ = &nextParameter_->Value;
            nextParameter_ = nextParameter_->Next;
        } else {
            overflow_ = operand;
            current_ = &overflow_;
        }
    } else if (values_ != nullptr) {
        values_->Add(operand);
        current_ = &values_->Back();
    } else {
        return FailAtEnd();
    }
    ++count_;
    return true;
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
