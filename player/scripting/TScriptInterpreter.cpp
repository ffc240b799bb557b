#include "player/scripting/TScriptInterpreter.h"

#include "player/scripting/ScriptChars.h"
#include "player/scripting/ScriptResult.h"
#include "player/scripting/TScriptExpression.h"

#include <pthread.h>

#include <cstdint>
#include <utility>

using namespace script_chars;
namespace result = script_result;

namespace {

// The length of the run of name characters at the position, at most kNameLimit. A part of the text ends
// on a "}" or ")", so a name reads the same in the part as in the whole text.
size_t NameLength(const TScriptCursor& cursor, size_t position) {
    size_t length = 0;
    while (length < TScriptInterpreter::kNameLimit && IsNameChar(cursor.At(position + length))) {
        ++length;
    }
    return length;
}

bool IsKeyword(const TScriptCursor& cursor, std::u16string_view word) {
    return cursor.StartsWith(word) && IsWordEnd(cursor.At(cursor.Pos + word.size()));
}

} // namespace

bool TScriptInterpreter::IsLimit(int32_t code) {
    return code == result::kNestedTooDeep || code == result::kTooManySteps;
}

TScriptInterpreter::TScriptInterpreter(const TScriptServices& services)
    : services_(services), builtins_(*this) {}

void TScriptInterpreter::MarkStackFloor() {
    stackFloor_ = 0;
    pthread_attr_t attributes;
    if (pthread_getattr_np(pthread_self(), &attributes) != 0) {
        return;
    }
    void* lowest = nullptr;
    size_t size = 0;
    if (pthread_attr_getstack(&attributes, &lowest, &size) == 0 && size > services_.Limits.StackReserve) {
        stackFloor_ = reinterpret_cast<std::uintptr_t>(lowest) + services_.Limits.StackReserve;
    }
    pthread_attr_destroy(&attributes);
}

bool TScriptInterpreter::StackLeft() const {
    return stackFloor_ == 0 || reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0)) > stackFloor_;
}

int32_t TScriptInterpreter::RunScript(std::u16string_view text, size_t* consumed, TScriptValue& value,
                                      TScriptValue* output) {
    MarkStackFloor();
    depth_ = 0;
    steps_ = 0;
    TScriptCursor cursor(text);
    memo_.Reset(cursor);
    names_.Clear();
    int32_t last = result::kOk;
    while (last == result::kOk) {
        // Blanks between top-level blocks belong to none of them.
        while (IsBlankOrLineEnd(cursor.Ch())) {
            ++cursor.Pos;
        }
        if (cursor.Ch() == 0) {
            break;
        }
        last = RunScriptBlock(cursor, value, output, nullptr);
    }
    if (output != nullptr && output->Type == TScriptValue::kEmpty) {
        *output = value;
    }
    if (consumed != nullptr) {
        *consumed = cursor.Pos;
    }
    memo_.Reset({}); // the text may change once the run is over
    return last;
}

int32_t TScriptInterpreter::RunScriptBlock(TScriptCursor& cursor, TScriptValue& value, TScriptValue* output,
                                           TStackInfo* scope) {
    const TNesting nesting(*this);
    if (!nesting.Entered()) {
        return result::kNestedTooDeep;
    }
    if (scope != nullptr) {
        return RunBlock(cursor, value, output, *scope, false);
    }
    TStackInfo fresh(&bindings_);
    return RunBlock(cursor, value, output, fresh, true);
}

int32_t TScriptInterpreter::RunBlock(TScriptCursor& cursor, TScriptValue& value, TScriptValue* output,
                                     TStackInfo& scope, bool topLevel) {
    if (cursor.Ch() != u'{') {
        const int32_t last = RunStatements(cursor, value, output, scope);
        if (last != result::kOk || cursor.Ch() != u'}') {
            return last;
        }
        ++cursor.Pos;
        return result::kStrayBrace;
    }
    // A braced block ends at its matching brace, so that a statement that reads to the end of its line
    // (an assignment) ends there too.
    const std::optional<size_t> close =
        topLevel ? StatementsEnd(cursor, cursor.Pos + 1) : ClosingBrace(cursor, cursor.Pos + 1);
    if (!close) {
        ++cursor.Pos;
        const int32_t last = RunStatements(cursor, value, output, scope);
        return last == result::kOk ? result::kUnclosedBlock : last;
    }
    TScriptCursor block = cursor.Part(cursor.Pos + 1, *close);
    const int32_t last = RunStatements(block, value, output, scope);
    if (last != result::kOk) {
        cursor.Pos = block.Pos;
        return last;
    }
    if (block.Ch() == u'}') {
        cursor.Pos = block.Pos + 1;
        return result::kStrayBrace;
    }
    cursor.Pos = *close + 1;
    return result::kOk;
}

int32_t TScriptInterpreter::RunStatements(TScriptCursor& cursor, TScriptValue& value, TScriptValue* output,
                                          TStackInfo& scope) {
    while (cursor.Ch() != 0 && cursor.Ch() != u'}') {
        while (IsBlank(cursor.Ch())) {
            ++cursor.Pos;
        }
        if (cursor.Ch() == 0 || cursor.Ch() == u'}') {
            break; // blanks before the end: "{ }" is an empty block
        }
        const int32_t last = ExecuteStatement(cursor, value, output, scope, nullptr, false);
        if (last != result::kOk) {
            return last;
        }
        while (IsBlankOrLineEnd(cursor.Ch())) {
            ++cursor.Pos;
        }
    }
    return result::kOk;
}

int32_t TScriptInterpreter::ExecuteStatement(TScriptCursor& cursor, TScriptValue& value, TScriptValue* output,
                                             TStackInfo& scope, TGrVariables** entry, bool expressionMode) {
    if (++steps_ > services_.Limits.MaxSteps) {
        return result::kTooManySteps;
    }
    // A statement once read as a plain name or a built-in is one again: the keywords are not tried.
    if (const TScriptTextMemo::TFacts* facts = memo_.At(cursor, cursor.Pos);
        facts != nullptr && cursor.Pos + facts->NameLength < cursor.End) {
        if (facts->PlainName) {
            return NameStatement(cursor, {facts->NameLength, static_cast<uint32_t>(facts->NameId)}, value,
                                 output, scope, entry, expressionMode);
        }
        if (facts->Builtin != TScriptBuiltins::kNone) {
            return builtins_.Run(facts->Builtin, cursor, value, output, scope);
        }
    }
    switch (cursor.Ch()) {
    case u' ':
    case u'\t':
    case kCr:
    case kLf:
        return result::kOk;
    case u'i':
        if (IsKeyword(cursor, u"if")) {
            return IfStatement(cursor, value, output, scope);
        }
        if (IsKeyword(cursor, u"int")) {
            return DeclareVariable(cursor, scope);
        }
        break;
    case u'w':
        if (IsKeyword(cursor, u"wstr")) {
            return DeclareVariable(cursor, scope);
        }
        break;
    case u'f':
        if (IsKeyword(cursor, u"function")) {
            cursor.Pos += 8;
            return DefineFunction(cursor, scope);
        }
        break;
    case u'/':
        if (cursor.At(cursor.Pos + 1) == u'/') {
            while (cursor.Ch() != 0 && cursor.Ch() != kCr && cursor.Ch() != kLf) {
                ++cursor.Pos;
            }
            return result::kOk;
        }
        if (cursor.At(cursor.Pos + 1) == u'*') {
            const size_t close = cursor.View(cursor.Pos + 2, cursor.End).find(u"*/");
            if (close == std::u16string_view::npos) {
                return result::kSyntax;
            }
            cursor.Pos += 2 + close + 2;
            return result::kOk;
        }
        break;
    default:
        break;
    }
    const int32_t builtin = TScriptBuiltins::Find(cursor);
    // What decided that this is no keyword, and which built-in or none, lies within the name and the
    // character behind it; while that character is inside the part being read, it holds the next time.
    const TName name = NameAt(cursor, cursor.Pos);
    if (name.Length > 0 && cursor.Pos + name.Length < cursor.End) {
        if (TScriptTextMemo::TFacts* facts = memo_.At(cursor, cursor.Pos)) {
            facts->PlainName = builtin == TScriptBuiltins::kNone;
            facts->Builtin = static_cast<int8_t>(builtin);
        }
    }
    if (builtin != TScriptBuiltins::kNone) {
        return builtins_.Run(builtin, cursor, value, output, scope);
    }
    return NameStatement(cursor, name, value, output, scope, entry, expressionMode);
}

int32_t TScriptInterpreter::NameOperand(TScriptCursor& cursor, const TName& name, TScriptValue& value,
                                        TScriptValue* output, TStackInfo& scope, TGrVariables*& variable) {
    if (++steps_ > services_.Limits.MaxSteps) {
        return result::kTooManySteps;
    }
    return ReadName(cursor, name, value, output, scope, variable);
}

int32_t TScriptInterpreter::ReadName(TScriptCursor& cursor, const TName& name, TScriptValue& value,
                                     TScriptValue* output, TStackInfo& scope, TGrVariables*& variable) {
    const size_t start = cursor.Pos;
    if (name.Length >= kNameLimit || !IsNameEnd(cursor.At(start + name.Length))) {
        return result::kSyntax;
    }
    // The scope in force is the current one, so the names bound are those it sees.
    const TScriptBindings::TFound found = bindings_.Find(name.Id);
    cursor.Pos = start + name.Length;
    if (found.Function != nullptr) {
        return CallFunction(cursor, *found.Function, value, output, scope);
    }
    variable = found.Variable;
    return variable != nullptr ? result::kOk : result::kUndefined;
}

TScriptInterpreter::TName TScriptInterpreter::NameAt(const TScriptCursor& cursor, size_t position) {
    TScriptTextMemo::TFacts* facts = memo_.At(cursor, position);
    if (facts == nullptr) {
        const size_t length = NameLength(cursor, position);
        return {length, names_.Id(cursor.View(position, position + length))};
    }
    if (facts->NameId == TScriptTextMemo::kUnknown) {
        const size_t length = NameLength(cursor, position);
        facts->NameLength = static_cast<uint8_t>(length);
        facts->NameId = static_cast<int32_t>(names_.Id(cursor.View(position, position + length)));
    }
    return {facts->NameLength, static_cast<uint32_t>(facts->NameId)};
}

size_t TScriptInterpreter::LineEnd(const TScriptCursor& cursor, size_t position) {
    const auto scan = [](const TScriptCursor& text, size_t from) {
        while (text.At(from) != 0 && text.At(from) != kCr && text.At(from) != kLf) {
            ++from;
        }
        return from;
    };
    TScriptTextMemo::TFacts* facts = memo_.At(cursor, position);
    if (facts == nullptr) {
        return scan(cursor, position);
    }
    if (facts->LineEnd == TScriptTextMemo::kUnknown) {
        facts->LineEnd = static_cast<int32_t>(scan(memo_.Script(), position));
    }
    return std::min(static_cast<size_t>(facts->LineEnd), cursor.End);
}

int32_t TScriptInterpreter::NameStatement(TScriptCursor& cursor, const TName& name, TScriptValue& value,
                                          TScriptValue* output, TStackInfo& scope, TGrVariables** entry,
                                          bool expressionMode) {
    const size_t start = cursor.Pos;
    TGrVariables* variable = nullptr;
    const int32_t read = ReadName(cursor, name, value, output, scope, variable);
    if (read != result::kOk || variable == nullptr) {
        return read;
    }
    if (entry != nullptr) {
        *entry = variable;
    }
    if (expressionMode) {
        value = variable->Value;
        return result::kOk;
    }
    return VariableStatement(cursor, start, value, output, scope);
}

// The whole line from the name on is one expression (which may assign with "="); the statement ends
// behind its line end.
int32_t TScriptInterpreter::VariableStatement(TScriptCursor& cursor, size_t start, TScriptValue& value,
                                              TScriptValue* output, TStackInfo& scope) {
    TScriptCursor expression = cursor;
    expression.Pos = start;
    TScriptValues values;
    int32_t error = 0;
    const int32_t count = EvaluateList(expression, &values, nullptr, output, error, scope, true, true);
    const size_t lineEnd = LineEnd(cursor, start);
    cursor.Pos = cursor.At(lineEnd) != 0 ? lineEnd + 1 : lineEnd;
    if (count == 1) {
        value = std::move(values[0]);
        return result::kOk;
    }
    return count < 0 ? error : result::kSyntax;
}

int32_t TScriptInterpreter::CallFunction(TScriptCursor& cursor, const TGrVariables& function,
                                         TScriptValue& value, TScriptValue* output, TStackInfo& scope) {
    TStackInfo call(&bindings_, false);
    // The call scope holds the parameters alone while the arguments are read into them.
    for (const TGrVariables::TParameter& parameter : function.Parameters) {
        call.AddVariable(parameter.NameId, parameter.Type);
    }
    int32_t error = 0;
    const int32_t count = EvaluateList(cursor, nullptr, &call, output, error, scope, false, false);
    if (count < 0) {
        return IsLimit(error) ? error : result::kWrongType;
    }
    if (static_cast<size_t>(count) < function.Parameters.size()) {
        return result::kTooFewArguments;
    }
    if (static_cast<size_t>(count) > function.Parameters.size()) {
        return result::kTooManyArguments;
    }
    call.ComeIntoForce();
    const TGrVariables* answer = call.AddVariable(TScriptNames::kResult, TScriptValue::kEmpty);
    // The body runs with a value of its own: a call that never assigns "result" yields nothing.
    TScriptValue bodyValue;
    TScriptCursor body = cursor.Part(function.BodyStart, function.BodyEnd);
    // The body's nesting counts from its own start; the stack still holds the callers' frames.
    const int32_t callerDepth = std::exchange(depth_, 0);
    const int32_t last = RunScriptBlock(body, bodyValue, output, &call);
    depth_ = callerDepth;
    if (last != result::kOk) {
        cursor.Pos = body.Pos; // where in the definition it failed
        return last;
    }
    if (answer->Value.Type != TScriptValue::kEmpty) {
        value = answer->Value;
    }
    return result::kOk;
}

int32_t TScriptInterpreter::IfStatement(TScriptCursor& cursor, TScriptValue& value, TScriptValue* output,
                                        TStackInfo& scope) {
    cursor.Pos += 2;
    TScriptValues values;
    int32_t error = 0;
    const int32_t count = EvaluateList(cursor, &values, nullptr, output, error, scope, false, false);
    if (count < 0) {
        return error;
    }
    if (count != 1) {
        return count > 1 ? result::kTooManyArguments : result::kTooFewArguments;
    }
    if (values[0].Type != TScriptValue::kInt) {
        return result::kWrongType;
    }
    const bool condition = values[0].Int != 0;
    size_t open = 0;
    size_t close = 0;
    if (!FindBlock(cursor, open, close)) {
        return result::kIfWithoutBlock;
    }
    cursor.Pos = close + 1;
    int32_t last = result::kOk;
    if (condition) {
        TStackInfo blockScope(&bindings_);
        TScriptCursor block = cursor;
        block.Pos = open;
        last = RunScriptBlock(block, value, output, &blockScope);
    }
    TScriptCursor probe = cursor;
    if (FindAtTopLevel(probe, u'e', 1, false) != 1) {
        return last;
    }
    if (!IsKeyword(probe, u"else")) {
        cursor.Pos = probe.Pos;
        return result::kSyntax;
    }
    probe.Pos += 4;
    if (!FindBlock(probe, open, close)) {
        cursor.Pos = probe.Pos;
        return result::kElseWithoutBlock;
    }
    cursor.Pos = close + 1;
    if (condition) {
        return last;
    }
    TStackInfo blockScope(&bindings_);
    TScriptCursor block = cursor;
    block.Pos = open;
    return RunScriptBlock(block, value, output, &blockScope);
}

bool TScriptInterpreter::FindBlock(TScriptCursor& cursor, size_t& open, size_t& close) {
    TScriptCursor probe = cursor;
    if (FindAtTopLevel(probe, u'{', 1, false) != 1) {
        return false;
    }
    open = probe.Pos;
    const std::optional<size_t> closing = ClosingBrace(cursor, open + 1);
    close = closing.value_or(0);
    return closing.has_value();
}

std::optional<size_t> TScriptInterpreter::ClosingBrace(const TScriptCursor& cursor, size_t start) {
    TScriptTextMemo::TFacts* facts = memo_.At(cursor, start);
    if (facts == nullptr) {
        TScriptCursor probe = cursor;
        probe.Pos = start;
        return FindAtTopLevel(probe, u'}', -1, true) == 1 ? std::optional(probe.Pos) : std::nullopt;
    }
    if (facts->ClosingBrace == TScriptTextMemo::kUnknown) {
        TScriptCursor probe = memo_.Script();
        probe.Pos = start;
        facts->ClosingBrace = FindAtTopLevel(probe, u'}', -1, true) == 1 ? static_cast<int32_t>(probe.Pos)
                                                                         : TScriptTextMemo::kNone;
    }
    // The brace found in the whole text is also the one of a part that reaches past it; a part that
    // ends before it holds none.
    const int32_t close = facts->ClosingBrace;
    return close != TScriptTextMemo::kNone && static_cast<size_t>(close) < cursor.End
               ? std::optional<size_t>(close)
               : std::nullopt;
}

std::optional<size_t> TScriptInterpreter::StatementsEnd(const TScriptCursor& cursor, size_t start) {
    int32_t depth = 0;
    for (size_t pos = start; cursor.At(pos) != 0; ++pos) {
        const std::u16string_view rest = cursor.View(pos, cursor.End);
        size_t skip = 0;
        if (rest.starts_with(u'"')) {
            skip = rest.find(u'"', 1);
        } else if (rest.starts_with(u"//")) {
            skip = std::min(rest.find_first_of(u"\r\n"), rest.size()) - 1;
        } else if (rest.starts_with(u"/*")) {
            skip = rest.find(u"*/", 2);
            skip = skip != std::u16string_view::npos ? skip + 1 : skip;
        } else if (rest.front() == u'{') {
            ++depth;
        } else if (rest.front() == u'}' && depth-- == 0) {
            return pos;
        }
        if (skip == std::u16string_view::npos) {
            return std::nullopt; // a literal or a comment that never ends
        }
        pos += skip;
    }
    return std::nullopt;
}

int32_t TScriptInterpreter::FindAtTopLevel(TScriptCursor& cursor, char16_t target, int32_t lineLimit,
                                           bool lenient) {
    int32_t parentheses = 0;
    int32_t braces = 0;
    bool literal = false;
    int32_t lines = 0;
    bool afterCr = false;
    for (;; ++cursor.Pos) {
        const char16_t c = cursor.Ch();
        if (c == target && parentheses == 0 && braces == 0 && !literal) {
            return 1;
        }
        if (c == 0) {
            return parentheses != 0 || braces != 0 || literal ? -1 : (target == 0 ? 1 : 0);
        }
        const bool lineEnd = c == kCr || (c == kLf && !afterCr); // CR, LF and CR LF each end one line
        afterCr = c == kCr;
        if (lineEnd && lineLimit >= 0 && ++lines > lineLimit) {
            return parentheses != 0 || literal ? -1 : 0;
        }
        if (IsBlankOrLineEnd(c)) {
            continue;
        }
        if (!lenient) {
            return -1;
        }
        switch (c) {
        case u'(':
            ++parentheses;
            break;
        case u')':
            --parentheses;
            break;
        case u'"':
            literal = parentheses == 0 ? !literal : literal;
            break;
        case u'{':
            braces += literal ? 0 : 1;
            break;
        case u'}':
            braces -= literal ? 0 : 1;
            break;
        default:
            break;
        }
    }
}

int32_t TScriptInterpreter::DefineFunction(TScriptCursor& cursor, TStackInfo& scope) {
    while (cursor.Ch() == u' ') {
        ++cursor.Pos;
    }
    const size_t nameStart = cursor.Pos;
    const TName name = NameAt(cursor, nameStart);
    const char16_t afterName = cursor.At(nameStart + name.Length);
    if (name.Length == 0 || name.Length >= kNameLimit || (afterName != u'(' && afterName != u' ')) {
        return result::kSyntax;
    }
    if (scope.FindFunction(name.Id) != nullptr) {
        return result::kSyntax;
    }
    cursor.Pos = nameStart + name.Length;
    while (cursor.Ch() == u' ') {
        ++cursor.Pos;
    }
    if (cursor.Ch() != u'(') {
        return result::kSyntax;
    }
    const size_t parametersStart = cursor.Pos + 1;
    size_t parametersEnd = parametersStart;
    for (; cursor.At(parametersEnd) != u')'; ++parametersEnd) {
        const char16_t c = cursor.At(parametersEnd);
        if (c == 0 || c == kCr || c == kLf) {
            return result::kSyntax;
        }
    }
    // The parameters: declarations separated by commas. A declaration that cannot be read makes the
    // definition fail, rather than leaving a function with fewer parameters than written.
    TStackInfo declared(nullptr);
    TScriptCursor parameters = cursor.Part(parametersStart, parametersEnd);
    while (true) {
        while (parameters.Ch() == u' ') {
            ++parameters.Pos;
        }
        if (parameters.Ch() == 0) {
            break;
        }
        if (DeclareVariable(parameters, declared) != result::kOk) {
            return result::kSyntax;
        }
        while (parameters.Ch() != 0 && parameters.Ch() != u',') {
            ++parameters.Pos;
        }
        if (parameters.Ch() == u',') {
            ++parameters.Pos;
        }
    }
    size_t open = parametersEnd + 1;
    for (; cursor.At(open) != u'{'; ++open) {
        if (cursor.At(open) == 0) {
            return result::kSyntax;
        }
    }
    const std::optional<size_t> close = ClosingBrace(cursor, open + 1);
    if (!close) {
        return result::kSyntax;
    }
    TGrVariables* function = scope.AddFunction(name.Id);
    for (const TGrVariables* parameter = declared.Variables().Head; parameter != nullptr;
         parameter = parameter->Next) {
        function->Parameters.push_back({parameter->NameId, parameter->Value.Type});
    }
    function->BodyStart = open + 1;
    function->BodyEnd = *close;
    cursor.Pos = *close + 1;
    return result::kOk;
}

int32_t TScriptInterpreter::DeclareVariable(TScriptCursor& cursor, TStackInfo& scope) {
    TScriptValue::TType type = TScriptValue::kEmpty;
    if (cursor.StartsWith(u"int")) {
        type = TScriptValue::kInt;
        cursor.Pos += 3;
    } else if (cursor.StartsWith(u"wstr")) {
        type = TScriptValue::kText;
        cursor.Pos += 4;
    } else {
        return result::kSyntax;
    }
    if (cursor.Ch() != u' ') {
        return result::kSyntax;
    }
    while (cursor.Ch() == u' ') {
        ++cursor.Pos;
    }
    const size_t start = cursor.Pos;
    const TName name = NameAt(cursor, start);
    const char16_t after = cursor.At(start + name.Length);
    if (name.Length == 0 || name.Length >= kNameLimit ||
        !(after == 0 || after == u'\t' || after == kLf || after == kCr || after == u' ' || after == u',')) {
        return result::kSyntax;
    }
    scope.AddVariable(name.Id, type);
    cursor.Pos = start + name.Length;
    return result::kOk;
}

int32_t TScriptInterpreter::EvaluateList(TScriptCursor& cursor, TScriptValues* values, TStackInfo* parameters,
                                         TScriptValue* output, int32_t& error, TStackInfo& scope, bool single,
                                         bool bare) {
    const TNesting nesting(*this);
    if (!nesting.Entered()) {
        error = result::kNestedTooDeep;
        return -1;
    }
    TScriptExpression expression(*this, cursor, scope, output, single, bare);
    return expression.Evaluate(values, parameters, error);
}
