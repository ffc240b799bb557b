#include "player/scripting/TScriptListCode.h"

#include "player/scripting/ScriptChars.h"
#include "player/scripting/TScriptInterpreter.h"

using namespace script_chars;

TScriptListCode::TScriptListCode(TScriptInterpreter& interpreter, size_t start, size_t partEnd, bool bare)
    : partEnd_(partEnd), bare_(bare) {
    end_ = ScanEnd(interpreter.Memo().Script(), start, closed_);
    if (end_ >= partEnd) { // the part ends first
        end_ = partEnd;
        closed_ = false;
    }
    Read(interpreter, start);
}

size_t TScriptListCode::ScanEnd(const TScriptCursor& text, size_t from, bool& closed) {
    int32_t depth = 0;
    for (size_t p = from;; ++p) {
        const char16_t c = text.At(p);
        if (c == 0 || c == kCr || c == kLf) {
            closed = false;
            return p;
        }
        if (c == u'(') {
            ++depth;
        } else if (c == u')' && depth-- == 0) {
            closed = true;
            return p;
        }
    }
}

void TScriptListCode::Read(TScriptInterpreter& interpreter, size_t start) {
    const TScriptCursor& script = interpreter.Memo().Script();
    size_t position = start;
    while (position < end_ && script.At(position) != u')') {
        TOp op{position, position, TScriptToken::Read(script, position)};
        if (op.Token.Kind == TScriptToken::TKind::kBlanks) {
            op.Position = op.Token.Next;
            if (op.Position >= end_ || script.At(op.Position) == u')') {
                break;
            }
            op.Token = TScriptToken::Read(script, op.Position);
        }
        position = Behind(interpreter, op);
        ops_.push_back(op);
        if (position == 0) {
            break;
        }
    }
}

size_t TScriptListCode::Behind(TScriptInterpreter& interpreter, TOp& op) {
    const TScriptCursor& script = interpreter.Memo().Script();
    const TScriptToken& token = op.Token;
    switch (token.Kind) {
    case TScriptToken::TKind::kNumber:
        op.Fits = token.Next == end_ || token.NumberEnds;
        return token.Skip;
    case TScriptToken::TKind::kQuote:
        op.Fits = token.Next != TScriptToken::kNoQuote && token.Next < end_;
        return op.Fits ? token.Skip : 0;
    case TScriptToken::TKind::kOpen: {
        // A sub-expression, or the arguments of the function whose name stands before it.
        bool closed = false;
        const size_t close = ScanEnd(script, op.Position + 1, closed);
        return closed && close < end_ ? close + 1 : 0;
    }
    case TScriptToken::TKind::kOther: {
        if (!IsNameChar(script.At(op.Position))) {
            return 0;
        }
        const TScriptInterpreter::TName name = interpreter.NameAt(script, op.Position);
        const size_t behind = op.Position + name.Length;
        op.NameLength = static_cast<uint8_t>(name.Length);
        op.NameId = name.Id;
        op.Fits =
            name.Length < TScriptInterpreter::kNameLimit && behind < partEnd_ && IsNameEnd(script.At(behind));
        // A variable ends here; a function's arguments, if any, are the sub-expression that follows.
        return behind;
    }
    default:
        return token.Skip;
    }
}

size_t TScriptListCode::Find(size_t position, size_t from) const {
    for (size_t i = from; i < ops_.size(); ++i) {
        if (ops_[i].Position >= position) {
            return ops_[i].Lead <= position ? i : ops_.size();
        }
    }
    return ops_.size();
}
