#pragma once
// One evaluation of an argument list, condition or assignment: expressions read strictly from left to
// right with no precedence (parentheses group), over integer and text literals, variables, user
// function calls and built-ins. 32-bit integers wrap; a division by 0 gives 0. Each value is either
// appended to a list or written into the next parameter entry of a call.
#include "player/scripting/TScriptCursor.h"
#include "player/scripting/TScriptListCode.h"
#include "player/scripting/TScriptToken.h"
#include "player/scripting/TScriptValue.h"
#include "player/scripting/TScriptValues.h"

#include <cstdint>

class TScriptInterpreter;
class TStackInfo;
struct TGrVariables;

class TScriptExpression {
public:
    TScriptExpression(TScriptInterpreter& interpreter, TScriptCursor& cursor, TStackInfo& scope,
                      TScriptValue* output, bool single, bool bare);

    // See TScriptInterpreter::EvaluateList.
    int32_t Evaluate(TScriptValues* values, TStackInfo* parameters, int32_t& error);

private:
    using TOperator = TScriptToken::TOperator;
    using TKind = TScriptToken::TKind;

    // Finds the ")" that closes the list (bare: also the line's end); false when a list has none.
    bool FindEnd();
    bool NothingPending() const;
    // Reads the tokens up to the end of the list; false after an error.
    bool ReadTokens();
    // Reads one token of the list's code: what it told beforehand spares reading the text.
    bool StepCode(TScriptListCode::TOp& op);
    // Reads the token at the cursor; false after an error.
    bool Step(const TScriptToken& token);
    bool ReadOperand(const TScriptToken& token, TScriptValue& operand);
    // After an operand that ran as a statement: whether it gave one, and the first variable met.
    bool TookOperand(int32_t read, size_t before, TGrVariables* entry);
    bool ReadNumber(const TScriptToken& token, TScriptValue& operand);
    bool Combine(const TScriptValue& operand);
    bool Compare(TScriptValue& current, const TScriptValue& operand);
    bool Calculate(TScriptValue& current, const TScriptValue& operand);
    bool Append(const TScriptValue& operand);
    // Failures: the cursor goes back to where the list began, or behind its end.
    bool FailAtStart();
    bool FailAtEnd();
    void PlaceBehindEnd();

    TScriptInterpreter& interpreter_;
    TScriptCursor& cursor_;
    TStackInfo& scope_;
    TScriptValue* output_;
    const bool single_;
    const bool bare_;

    TScriptValues* values_ = nullptr;
    TStackInfo* parameters_ = nullptr;
    size_t start_ = 0;
    size_t end_ = 0;
    // The list as the run knows it (none: its tokens are read from the text).
    TScriptListCode* code_ = nullptr;
    // The value being built (nullptr before the first), and the operator that waits for its right side.
    TScriptValue* current_ = nullptr;
    TOperator pending_ = TOperator::kNone;
    bool separator_ = false;
    bool assignSeen_ = false;
    TGrVariables* target_ = nullptr;
    int32_t count_ = 0;
    // The parameter the next value goes into (none: past the last).
    TGrVariables* nextParameter_ = nullptr;
    // A value beyond the last parameter: kept only to be counted.
    TScriptValue overflow_;
    // The code of an operand that went past the interpreter's limits (0: none).
    int32_t limit_ = 0;
};
