#include "plugins/decoders/tamble/TLiteralSearch.h"

void TLiteralSearch::Reset(std::u16string_view subject) {
    FSubject = subject;
    FFound.clear();
}

bool TLiteralSearch::Holds(std::size_t position, std::u16string_view literal, bool negate) const {
    const bool equal = position <= FSubject.size() && FSubject.substr(position, literal.size()) == literal;
    return equal != negate;
}

std::size_t TLiteralSearch::Next(std::size_t position, std::u16string_view lineEnd, bool lineSkip) const {
    if (!lineSkip) {
        return position + 1;
    }
    const std::size_t end = lineEnd.empty() ? std::u16string_view::npos : FSubject.find(lineEnd, position);
    return end == std::u16string_view::npos ? FSubject.size() : end + lineEnd.size();
}

bool TLiteralSearch::Searched(const Found& found, std::size_t position, std::u16string_view lineEnd,
                              bool lineSkip) const {
    if (position < found.From || position > found.At) {
        return false;
    }
    // Line by line, a search looks only at its start and at the starts of the lines after it.
    return !lineSkip || position == found.From ||
           (position >= lineEnd.size() &&
            FSubject.substr(position - lineEnd.size(), lineEnd.size()) == lineEnd);
}

bool TLiteralSearch::Match(std::size_t& position, std::u16string_view literal, std::u16string_view lineEnd,
                           Modes modes) {
    if (Holds(position, literal, modes.Negate)) {
        position += modes.Negate ? 0 : literal.size();
        return true;
    }
    if (!modes.Search) {
        return false;
    }
    const Key key{std::u16string(literal), std::u16string(lineEnd), modes.LineSkip, modes.Negate};
    const auto known = FFound.find(key);
    const std::size_t from = position;
    std::size_t at = Next(position, lineEnd, modes.LineSkip);
    while (at < FSubject.size()) {
        if (known != FFound.end() && Searched(known->second, at, lineEnd, modes.LineSkip)) {
            at = known->second.At;
            break;
        }
        if (Holds(at, literal, modes.Negate)) {
            break;
        }
        at = Next(at, lineEnd, modes.LineSkip);
    }
    at = std::min(at, FSubject.size());
    FFound[key] = Found{from, at};
    position = at;
    if (at < FSubject.size() && !modes.Negate) {
        position += literal.size();
    }
    return true;
}
