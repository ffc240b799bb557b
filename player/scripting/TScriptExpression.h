#pragma once
// One evaluation of an argument list, condition or assignment: expressions read strictly from left to
// right with no precedence (parentheses group), over integer and text literals, variables, user
// function calls and built-ins. 32-bit integers wrap; a division by 0 gives 0. Each value is either
// appended to a list or written into the next parameter entry of a call.
#include "player/scripting/TScriptCursor.h"
#include "player/scripting/TScriptToken.h"
#include "player/scripting/TScriptValue.h"

#include <cstdint>
#include <vector>

class TScriptInterpreter;
class TStackInfo;
struct TGrVariables;

class TScriptExpression {
public:
    TScriptExpression(TScriptInterpreter& interpreter, TScriptCursor& cursor, TStackInfo& scope,
                      TScriptValue* output, bool single, bool bare);

    // See TScriptInterpreter::EvaluateList.
    int32_t Evaluate(std::vector<TScriptValue>* values, std::vector<TGrVariables*>* parameters,
                     int32_t& error);

private:
    using TOperator = TScriptToken::TOperator;
    using TKind = TScriptToken::TKind;

    // Finds the ")" that closes the list (bare: also the line's end); false when a list has none.
    bool FindEnd();
    // From the position: the ")" that closes a list at depth 0 (closed), else the CR, LF or end of text.
    static size_t ScanListEnd(const TScriptCursor& text, size_t from, bool& closed);
    bool NothingPending() const;
    // The token at the position, read once per run.
    TScriptToken TokenAt(size_t position);
    // Reads one token; false after an error.
    bool Step();
    bool ReadOperand(const TScriptToken& token, TScriptValue& operand);
    bool ReadNumber(const TScriptToken& token, TScriptValue& operand);
    bool Combine(TScriptValue& operand);
    bool Compare(TScriptValue& current, const TScriptValue& operand);
    bool Calculate(TScriptValue& current, const TScriptValue& operand);
    bool Append(TScriptValue& operand);
    // The value being built; nullptr before the first.
    TScriptValue* Current();
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

    std::vector<TScriptValue>* values_ = nullptr;
    std::vector<TGrVariables*>* parameters_ = nullptr;
    size_t start_ = 0;
    size_t end_ = 0;
    bool separator_ = false;
    TOperator arithmetic_ = TOperator::kNone;
    TOperator other_ = TOperator::kNone;
    bool assignSeen_ = false;
    TGrVariables* target_ = nullptr;
    int32_t count_ = 0;
    size_t nextParameter_ = 0;
    // A value beyond the last parameter: kept only to be counted.
    TScriptValue overflow_;
    // The code of an operand that went past the interpreter's limits (0: none).
    int32_t limit_ = 0;
};
