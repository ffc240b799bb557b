#include "plugins/decoders/tamble/TDefinitionReader.h"

#include "platform/text/Unicode.h"

namespace {

bool IsLineBreak(char16_t c) {
    return c == u'\r' || c == u'\n';
}

bool TokenAt(std::u16string_view text, std::size_t pos) {
    return text.substr(pos, 2) == u"[#";
}

// The word after `prefix` with its leading blanks dropped.
std::u16string_view After(std::u16string_view word, std::size_t prefix) {
    std::u16string_view rest = word.substr(prefix);
    while (!rest.empty() && (rest.front() == u' ' || rest.front() == u'\t')) {
        rest.remove_prefix(1);
    }
    return rest;
}

std::u16string_view Trimmed(std::u16string_view text) {
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

TDefinitionReader::TDefinitionReader(std::vector<std::unique_ptr<TFormatDefinition>>& definitions,
                                     TFormatDefinition*& current)
    : FDefinitions(definitions), FCurrent(current) {}

void TDefinitionReader::Read(std::u16string_view text) {
    std::size_t pos = 0;
    bool lineStart = true;
    while (pos < text.size()) {
        const char16_t c = text[pos];
        if (FSkip || (FState == State::Outside && lineStart && c == u';')) {
            const std::size_t end = text.find_first_of(u"\r\n", pos);
            if (end == std::u16string_view::npos) {
                return;
            }
            pos = end;
            if (FSkip) {
                // The line of a "begin" token ends with it: the block starts on the next line.
                pos += text.substr(pos, 2) == u"\r\n" ? 2 : 1;
                FSkip = false;
                lineStart = true;
            }
            continue;
        }
        if (IsLineBreak(c)) {
            EndLine();
            pos += text.substr(pos, 2) == u"\r\n" ? 2 : 1;
            lineStart = true;
            continue;
        }
        if (TokenAt(text, pos)) {
            const std::size_t close = text.find(u']', pos + 2);
            if (close == std::u16string_view::npos) {
                return;
            }
            Token(text.substr(pos + 2, close - pos - 2), text.substr(pos, close + 1 - pos));
            pos = close + 1;
            lineStart = true;
            continue;
        }
        std::size_t end = pos + 1;
        while (end < text.size() && !IsLineBreak(text[end]) && !TokenAt(text, end)) {
            ++end;
        }
        if (FState != State::Outside) {
            FCollected.append(text.substr(pos, end - pos));
        }
        pos = end;
        lineStart = false;
    }
}

void TDefinitionReader::Enter(State state) {
    FState = state;
    FCollected.clear();
    FFind.clear();
    FHasFind = false;
}

void TDefinitionReader::Token(std::u16string_view word, std::u16string_view token) {
    if (word.starts_with(u"dialogue:")) {
        BlockToken(After(word, 9), State::Dialogue, true, false);
    } else if (word.starts_with(u"comment:")) {
        BlockToken(After(word, 8), State::Comment, true, true);
    } else if (word.starts_with(u"replace:")) {
        BlockToken(After(word, 8), State::Replacements, false, false);
    } else if (word.starts_with(u"scriptdef:")) {
        const std::u16string_view rest = After(word, 10);
        if (rest.starts_with(u"begin")) {
            FDefinitions.push_back(std::make_unique<TFormatDefinition>());
            FCurrent = FDefinitions.back().get();
            Enter(State::Definition);
        } else if (rest.starts_with(u"end")) {
            Enter(State::Outside);
        }
    } else if (word.starts_with(u"name")) {
        if (FState == State::Definition) {
            Enter(State::Name);
        }
    } else if (word.starts_with(u"ID")) {
        if (FState == State::Definition) {
            Enter(State::Identifier);
        }
    } else if (word.starts_with(u"extention:")) {
        BlockToken(After(word, 10), State::Extensions, false, false);
    } else if (word.starts_with(u"linefeed")) {
        if (FState == State::Definition) {
            Enter(State::LineEnd);
        }
    } else if (word.starts_with(u"htmltags") && FState == State::Definition) {
        if (FCurrent != nullptr) {
            FCurrent->HtmlTags = true;
        }
    } else if (word.starts_with(u"[#")) {
        if (FState != State::Outside) {
            FCollected.append(u"[#");
        }
    } else if (word.empty()) {
        if (FState == State::Replacements) {
            FFind = FCollected;
            FHasFind = true;
            FCollected.clear();
        }
    } else if (FState != State::Outside) {
        FCollected.append(token);
    }
}

void TDefinitionReader::BlockToken(std::u16string_view rest, State blockState, bool isTemplate,
                                   bool comment) {
    if (rest.starts_with(u"begin")) {
        Enter(blockState);
        FSkip = true;
    } else if (rest.starts_with(u"end")) {
        if (isTemplate) {
            EndTemplate(comment);
        }
        Enter(State::Definition);
    }
}

void TDefinitionReader::EndTemplate(bool comment) {
    if (FCurrent == nullptr) {
        return;
    }
    if (FCollected.empty()) {
        FCurrent->Templates.clear();
    } else {
        FCurrent->Templates.push_back({FCollected, comment});
    }
}

void TDefinitionReader::EndLine() {
    switch (FState) {
    case State::Outside:
        return;
    case State::Definition:
    case State::Dialogue:
    case State::Comment:
        FCollected.append(u"\r\n");
        return;
    case State::Replacements:
        EndReplacementLine();
        break;
    case State::Name:
    case State::Identifier: {
        if (FCurrent != nullptr) {
            auto& field = FState == State::Name ? FCurrent->Name : FCurrent->Identifier;
            field = FCollected.empty() ? std::nullopt : std::optional<std::u16string>(FCollected);
        }
        FState = State::Definition;
        break;
    }
    case State::Extensions:
        if (FCurrent != nullptr && !FCollected.empty()) {
            FCurrent->Extensions.push_back(FCollected);
        }
        break;
    case State::LineEnd:
        EndLineEnd();
        FState = State::Definition;
        break;
    }
    FCollected.clear();
    FFind.clear();
    FHasFind = false;
}

void TDefinitionReader::EndReplacementLine() {
    if (FCurrent == nullptr) {
        return;
    }
    if (!FHasFind) {
        FCurrent->Replacements.clear();
    } else if (!FFind.empty()) {
        FCurrent->Replacements.push_back({FFind, FCollected});
    }
}

void TDefinitionReader::EndLineEnd() {
    const std::u16string_view value = Trimmed(FCollected);
    if (FCurrent == nullptr || value.size() <= 2 || value.size() % 2 != 0 || !value.starts_with(u"0x")) {
        return;
    }
    std::u16string units;
    for (std::size_t i = 2; i < value.size() && units.size() < TFormatDefinition::kMaxLineEnd; i += 2) {
        const int high = plat::text::unicode::HexDigitValue(value[i]);
        const int low = plat::text::unicode::HexDigitValue(value[i + 1]);
        if (high < 0 || low < 0) {
            return;
        }
        const auto unit = static_cast<char16_t>(high * 16 + low);
        if (unit == 0) {
            break;
        }
        units.push_back(unit);
    }
    if (!units.empty()) {
        FCurrent->LineEnd = units;
    }
}
