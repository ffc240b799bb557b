#pragma once
// Reads the text of one ".sdf" file: "[#word]" tokens open and close definitions and their blocks
// (templates, replacements, extensions) and name their single-line values. Lines end at CR LF, CR or
// LF, so that files saved with either convention read alike.
#include "plugins/decoders/tamble/TFormatDefinition.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TDefinitionReader {
public:
    // New definitions are appended to `definitions`; `current` is the definition that lines apply
    // to, and is left on the definition begun last.
    TDefinitionReader(std::vector<std::unique_ptr<TFormatDefinition>>& definitions,
                      TFormatDefinition*& current);

    void Read(std::u16string_view text);

private:
    enum class State {
        Outside,
        Definition,
        Dialogue,
        Comment,
        Replacements,
        Name,
        Identifier,
        Extensions,
        LineEnd
    };

    // Handles the token whose word is `word` (the text between "[#" and "]"); `token` is all of it.
    void Token(std::u16string_view word, std::u16string_view token);
    // "begin" / "end" after a block word; anything else leaves the state alone.
    void BlockToken(std::u16string_view rest, State blockState, bool isTemplate, bool comment);
    void EndTemplate(bool comment);
    void EndLine();
    void EndReplacementLine();
    void EndLineEnd();
    void Enter(State state);

    std::vector<std::unique_ptr<TFormatDefinition>>& FDefinitions;
    TFormatDefinition*& FCurrent;
    State FState = State::Outside;
    std::u16string FCollected;
    std::u16string FFind;
    bool FHasFind = false;
    bool FSkip = false;
};
