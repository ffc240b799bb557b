#pragma once
// The interpreter of the command script language. It walks the UTF-16 script text with a cursor: a
// script is statements in blocks and scopes, with "if"/"else", user functions with typed parameters,
// integer and text variables, and expressions evaluated strictly from left to right; built-in
// functions and objects (TScriptBuiltins, TScriptPlayerObjects) read and drive the player. Every
// statement, block and script ends with a result code (ScriptResult.h); nothing is thrown or shown.
// What it works out about the text (where blocks and lists end, which statement a name starts, the
// tokens of each list) is kept for the run (TScriptTextMemo), so that recursions read the text once.
// It runs on the main thread only.
#include "player/scripting/TScriptBuiltins.h"
#include "player/scripting/TScriptCursor.h"
#include "player/scripting/TScriptNames.h"
#include "player/scripting/TScriptServices.h"
#include "player/scripting/TScriptTextMemo.h"
#include "player/scripting/TStackInfo.h"

#include <cstdint>
#include <optional>
#include <string_view>

class TScriptInterpreter {
public:
    explicit TScriptInterpreter(const TScriptServices& services);
    TScriptInterpreter(const TScriptInterpreter&) = delete;
    TScriptInterpreter& operator=(const TScriptInterpreter&) = delete;

    // The callers' loop over a whole script: its blocks run one after another, each in a scope of its
    // own, while text remains and every block succeeds; an output still empty at the end takes the
    // value. The last result; *consumed (when given) tells how far the script was read.
    int32_t RunScript(std::u16string_view text, size_t* consumed, TScriptValue& value, TScriptValue* output);

    // Runs statements from the cursor until the end of the text, a "}" or the first result other than
    // 1, in the scope in force (none: a fresh one of its own); a block that opens with "{" must close
    // with "}".
    int32_t RunScriptBlock(TScriptCursor& cursor, TScriptValue& value, TScriptValue* output,
                           TStackInfo* scope);
    // One statement. In expression mode (an operand of an expression) a variable only yields its value;
    // the variable met is handed back through `entry` when one is given.
    int32_t ExecuteStatement(TScriptCursor& cursor, TScriptValue& value, TScriptValue* output,
                             TStackInfo& scope, TGrVariables** entry, bool expressionMode);
    // Reads a parenthesised list of expressions (or, bare, one expression to the end of the line) into
    // `values`, or with `parameters` into a call's parameter entries (each value of its entry's type).
    // Neither: the list must be empty. Single: a comma is refused. The number of values, or -1 with the
    // error code set (1 when all went well).
    int32_t EvaluateList(TScriptCursor& cursor, TScriptValues* values, TStackInfo* parameters,
                         TScriptValue* output, int32_t& error, TStackInfo& scope, bool single, bool bare);
    // Scans for a character outside parentheses, braces and text literals, within `lineLimit` line
    // ends (-1: no limit). Strict: only blanks may come before it. 1 with the cursor on it, 0 when it is
    // not there, -1 when the scan ends inside parentheses, braces or a literal (or, strict, on another
    // character).
    static int32_t FindAtTopLevel(TScriptCursor& cursor, char16_t target, int32_t lineLimit, bool lenient);

    // The codes of a script that went past the interpreter's limits: whatever statement or expression
    // meets them, the script ends with them.
    static bool IsLimit(int32_t code);

    const TScriptServices& Services() const { return services_; }
    // What is known of the text of the current run.
    TScriptTextMemo& Memo() { return memo_; }
    size_t MaxTextUnits() const { return services_.Limits.MaxTextUnits; }

    // Counts one level of nesting for its lifetime; Entered() is false past the limit, or when the
    // stack left is down to the reserve.
    class TNesting {
    public:
        explicit TNesting(TScriptInterpreter& interpreter)
            : depth_(++interpreter.depth_), interpreter_(interpreter) {}
        ~TNesting() { --interpreter_.depth_; }
        TNesting(const TNesting&) = delete;
        TNesting& operator=(const TNesting&) = delete;
        bool Entered() const {
            return depth_ <= interpreter_.services_.Limits.MaxNesting && interpreter_.StackLeft();
        }

    private:
        int32_t depth_;
        TScriptInterpreter& interpreter_;
    };

    // Names hold at most 49 characters; reading one stops at the 50th.
    static constexpr size_t kNameLimit = 50;
    // A name in the text: its length (at most kNameLimit) and its number.
    struct TName {
        size_t Length;
        uint32_t Id;
    };

    TName NameAt(const TScriptCursor& cursor, size_t position);
    // An operand that the text there has shown to be a name (neither a keyword nor a built-in), as
    // ExecuteStatement runs it in expression mode, except that a variable is handed back, not copied.
    int32_t NameOperand(TScriptCursor& cursor, const TName& name, TScriptValue& value, TScriptValue* output,
                        TStackInfo& scope, TGrVariables*& variable);

private:
    // Where the line that holds the position ends (its CR or LF, or the end of the text).
    size_t LineEnd(const TScriptCursor& cursor, size_t position);
    // A top-level block (one of the caller's loop) finds its "}" as running its statements would:
    // braces inside literals and comments are text, not the block's end.
    int32_t RunBlock(TScriptCursor& cursor, TScriptValue& value, TScriptValue* output, TStackInfo& scope,
                     bool topLevel);
    // Runs statements up to the end of the text or a "}" at the start of a statement.
    int32_t RunStatements(TScriptCursor& cursor, TScriptValue& value, TScriptValue* output,
                          TStackInfo& scope);
    int32_t IfStatement(TScriptCursor& cursor, TScriptValue& value, TScriptValue* output, TStackInfo& scope);
    // Finds "{" at most one line further and its "}"; false when either is missing.
    bool FindBlock(TScriptCursor& cursor, size_t& open, size_t& close);
    // The "}" that closes a block whose text starts at `start` (FindAtTopLevel, lenient, without line
    // limit); nothing when the block is not closed.
    std::optional<size_t> ClosingBrace(const TScriptCursor& cursor, size_t start);
    // The "}" that closes a block whose text starts at `start`, passing over literals and comments.
    static std::optional<size_t> StatementsEnd(const TScriptCursor& cursor, size_t start);
    int32_t DefineFunction(TScriptCursor& cursor, TStackInfo& scope);
    int32_t DeclareVariable(TScriptCursor& cursor, TStackInfo& scope);
    int32_t NameStatement(TScriptCursor& cursor, const TName& name, TScriptValue& value, TScriptValue* output,
                          TStackInfo& scope, TGrVariables** entry, bool expressionMode);
    // Reads the name at the cursor: calls the function it names, or hands back its variable.
    int32_t ReadName(TScriptCursor& cursor, const TName& name, TScriptValue& value, TScriptValue* output,
                     TStackInfo& scope, TGrVariables*& variable);
    int32_t CallFunction(TScriptCursor& cursor, const TGrVariables& function, TScriptValue& value,
                         TScriptValue* output, TStackInfo& scope);
    int32_t VariableStatement(TScriptCursor& cursor, size_t start, TScriptValue& value, TScriptValue* output,
                              TStackInfo& scope);

    // Where the stack may grow to before the reserve: set for each run from the thread's stack (0 when
    // the thread's stack is not known, and only the nesting limit holds).
    void MarkStackFloor();
    bool StackLeft() const;

    const TScriptServices& services_;
    TScriptBuiltins builtins_;
    std::uintptr_t stackFloor_ = 0;
    int32_t depth_ = 0;
    int64_t steps_ = 0;
    TScriptNames names_;
    TScriptBindings bindings_;
    TScriptTextMemo memo_;
};
