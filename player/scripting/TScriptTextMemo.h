#pragma once
// What the interpreter has worked out about the script text of one run, kept by position: the text
// does not change while it runs, so loops and recursions read each statement, list and token once.
// Every answer is one for the whole text. A part of the text (a block, a function's body) reads as
// ending early, so the users check an answer against the end of the part they read.
#include "player/scripting/TScriptCursor.h"
#include "player/scripting/TScriptListCode.h"

#include <cstdint>
#include <memory>
#include <vector>

class TScriptTextMemo {
public:
    static constexpr int32_t kUnknown = -2;
    static constexpr int32_t kNone = -1;

    // The answers found at one position (kUnknown: not worked out yet).
    struct TFacts {
        // The statement here is the name that starts here: no keyword, no built-in.
        bool PlainName = false;
        // The statement here is this built-in (TScriptBuiltins::Find; -1: none or not known).
        int8_t Builtin = -1;
        // The name that starts here: its length (at most 50) and number.
        uint8_t NameLength = 0;
        int32_t NameId = kUnknown;
        // The "}" that closes a block whose text starts here (kNone: none).
        int32_t ClosingBrace = kUnknown;
        // The list of expressions whose text starts here.
        std::unique_ptr<TScriptListCode> List;
        // The CR, LF or end of the text that ends the line.
        int32_t LineEnd = kUnknown;
    };

    // Starts a run over the text.
    void Reset(const TScriptCursor& script);
    // The whole text of the run.
    const TScriptCursor& Script() const { return script_; }
    // The answers for the position; nullptr when the cursor reads another text or the text is too long
    // for positions of 32 bits. Valid until the next call.
    TFacts* At(const TScriptCursor& cursor, size_t position) {
        if (cursor.Base != script_.Base || position >= slots_.size()) {
            return nullptr;
        }
        const uint32_t slot = slots_[position];
        return slot != 0 ? &facts_[slot - 1] : Add(position);
    }

private:
    TFacts* Add(size_t position);

    TScriptCursor script_;
    // For each position, 1 + the index of its answers in facts_ (0: none yet).
    std::vector<uint32_t> slots_;
    std::vector<TFacts> facts_;
};
