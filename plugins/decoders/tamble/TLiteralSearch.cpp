#include "plugins/decoders/tamble/TLiteralSearch.h"

#include "plugins/decoders/tamble/LineBreaks.h"

#include <algorithm>

namespace {

constexpr std::size_t kAbsent = std::u16string_view::npos;

} // namespace

void TLiteralSearch::Reset(std::u16string_view subject) {
    FSubject = subject;
    FFound.clear();
}

std::size_t TLiteralSearch::Length(std::size_t position, std::u16string_view literal,
                                   std::u16string_view lineEnd) const {
    if (position > FSubject.size()) {
        return kAbsent;
    }
    if (!line_breaks::IsBreakForm(lineEnd)) {
        return FSubject.substr(position, literal.size()) == literal ? literal.size() : kAbsent;
    }
    std::size_t at = position;
    std::size_t i = 0;
    while (i < literal.size()) {
        if (literal.substr(i, lineEnd.size()) == lineEnd) {
            const std::size_t breakLength = line_breaks::LengthAt(FSubject, at);
            if (breakLength == 0) {
                return kAbsent;
            }
            at += breakLength;
            i += lineEnd.size();
        } else if (at < FSubject.size() && FSubject[at] == literal[i]) {
            ++at;
            ++i;
        } else {
            return kAbsent;
        }
    }
    return at - position;
}

std::size_t TLiteralSearch::Next(std::size_t position, std::u16string_view lineEnd, bool lineSkip) const {
    if (!lineSkip) {
        return position + 1;
    }
    if (line_breaks::IsBreakForm(lineEnd)) {
        const std::size_t end = FSubject.find_first_of(u"\r\n", position);
        return end == std::u16string_view::npos ? FSubject.size()
                                                : end + line_breaks::LengthAt(FSubject, end);
    }
    const std::size_t end = lineEnd.empty() ? std::u16string_view::npos : FSubject.find(lineEnd, position);
    return end == std::u16string_view::npos ? FSubject.size() : end + lineEnd.size();
}

bool TLiteralSearch::IsLineStart(std::size_t position, std::u16string_view lineEnd) const {
    if (line_breaks::IsBreakForm(lineEnd)) {
        return line_breaks::IsLineStart(FSubject, position);
    }
    return position >= lineEnd.size() &&
           FSubject.substr(position - lineEnd.size(), lineEnd.size()) == lineEnd;
}

bool TLiteralSearch::Searched(const Found& found, std::size_t position, std::u16string_view lineEnd,
                              bool lineSkip) const {
    if (position < found.From || position > found.At) {
        return false;
    }
    // Line by line, a search looks only at its start and at the starts of the lines after it.
    return !lineSkip || position == found.From || IsLineStart(position, lineEnd);
}

bool TLiteralSearch::Match(std::size_t& position, std::u16string_view literal, std::u16string_view lineEnd,
                           Modes modes) {
    const std::size_t here = Length(position, literal, lineEnd);
    if ((here != kAbsent) != modes.Negate) {
        position += modes.Negate ? 0 : here;
        return true;
    }
    if (!modes.Search) {
        return false;
    }
    const Key key{std::u16string(literal), std::u16string(lineEnd), modes.LineSkip, modes.Negate};
    const auto known = FFound.find(key);
    const std::size_t from = position;
    std::size_t at = Next(position, lineEnd, modes.LineSkip);
    std::size_t length = kAbsent;
    while (at < FSubject.size()) {
        if (known != FFound.end() && Searched(known->second, at, lineEnd, modes.LineSkip)) {
            at = known->second.At;
            length = Length(at, literal, lineEnd);
            break;
        }
        length = Length(at, literal, lineEnd);
        if ((length != kAbsent) != modes.Negate) {
            break;
        }
        at = Next(at, lineEnd, modes.LineSkip);
    }
    at = std::min(at, FSubject.size());
    FFound[key] = Found{from, at};
    position = at;
    if (at < FSubject.size() && !modes.Negate && length != kAbsent) {
        position += length;
    }
    return true;
}
