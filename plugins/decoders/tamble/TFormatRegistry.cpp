#include "plugins/decoders/tamble/TFormatRegistry.h"

#include "platform/text/CaseFold.h"
#include "plugins/decoders/tamble/LineBreaks.h"
#include "plugins/decoders/tamble/TDefinitionReader.h"
#include "plugins/decoders/tamble/THtmlTagConverter.h"
#include "plugins/decoders/tamble/TimePattern.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

enum class Field { StartTime, EndTime, Duration, Style, SubNumber, TextLf, Text, Dummy };

struct FieldWord {
    std::u16string_view Word;
    Field Kind;
};

// Compared as prefixes in this order ("textlf" before "text").
constexpr std::array<FieldWord, 8> kFields{{
    {u"starttime", Field::StartTime},
    {u"endtime", Field::EndTime},
    {u"duration", Field::Duration},
    {u"style", Field::Style},
    {u"subnumber", Field::SubNumber},
    {u"textlf", Field::TextLf},
    {u"text", Field::Text},
    {u"dummy", Field::Dummy},
}};

int32_t ToTime(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, 0, std::numeric_limits<int32_t>::max()));
}

void PassBlanks(std::u16string_view subject, std::size_t& position, bool tabs) {
    while (position < subject.size() && (subject[position] == u' ' || (tabs && subject[position] == u'\t'))) {
        ++position;
    }
}

// The count after a format word such as "nbch-"; 0 when there are no digits.
std::size_t Count(std::u16string_view digits) {
    std::size_t position = 0;
    int64_t value = 0;
    ReadDigits(digits, position, 0, value);
    return static_cast<std::size_t>(value);
}

char16_t AsciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

// A quick test before the full comparison without regard to case: two ASCII characters that differ
// in more than case cannot start equal texts (other characters may fold onto ASCII ones).
bool MayStartAlike(char16_t a, char16_t b) {
    return a >= 0x80 || b >= 0x80 || AsciiLower(a) == AsciiLower(b);
}

} // namespace

void TFormatRegistry::LoadDefinitions(std::u16string_view text) {
    TDefinitionReader(FDefinitions, FCurrent).Read(text);
}

std::u16string_view TFormatRegistry::LineEnd() const {
    return FCurrent != nullptr ? std::u16string_view(FCurrent->LineEnd) : std::u16string_view(u"\r\n");
}

std::pair<std::size_t, std::size_t> TFormatRegistry::LineBreak(std::size_t position) const {
    const std::u16string_view lineEnd = LineEnd();
    const std::size_t breakAt = std::min(FSubject.find_first_of(u"\r\n", position), FSubject.size());
    // The definition's own line end is looked for only up to the first CR or LF, so that a line end
    // the text never holds costs nothing more than the line.
    const std::size_t ownAt = FSubject.substr(position, breakAt - position + lineEnd.size()).find(lineEnd);
    if (ownAt != std::u16string_view::npos && position + ownAt <= breakAt) {
        return {position + ownAt, lineEnd.size()};
    }
    if (breakAt == FSubject.size()) {
        return {breakAt, 0};
    }
    return {breakAt, line_breaks::LengthAt(FSubject, breakAt)};
}

void TFormatRegistry::ApplyReplacements(std::u16string_view text, std::u16string& out) const {
    if (FCurrent == nullptr || FCurrent->Replacements.empty()) {
        out.append(text);
        return;
    }
    out.reserve(out.size() + text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::u16string_view rest = text.substr(i);
        const auto& pairs = FCurrent->Replacements;
        const auto hit = std::find_if(pairs.begin(), pairs.end(), [&](const TReplacement& pair) {
            return rest.size() >= pair.Find.size() && MayStartAlike(rest.front(), pair.Find.front()) &&
                   plat::text::EqualsNoCase(rest.substr(0, pair.Find.size()), pair.Find);
        });
        if (hit != pairs.end()) {
            out.append(hit->Replace);
            i += hit->Find.size();
        } else {
            out.push_back(text[i++]);
        }
    }
}

bool TFormatRegistry::StartsEntry(std::size_t position) {
    TMatchedEvent kept = std::move(FEvent);
    FProbing = true;
    const bool starts =
        std::any_of(FCurrent->Templates.begin(), FCurrent->Templates.end(),
                    [&](const TFormatTemplate& t) { return MatchTemplate(FSubject, position, t.Text) > 0; });
    FProbing = false;
    FEvent = std::move(kept);
    return starts;
}

std::u16string TFormatRegistry::ReadToEmptyLine(std::size_t& position, std::size_t count, bool toEntry) {
    const std::size_t wanted = std::max<std::size_t>(count, 1);
    std::u16string text;
    std::size_t copied = 0;
    while (position < FSubject.size()) {
        const auto [end, breakLength] = LineBreak(position);
        const std::u16string_view line = FSubject.substr(position, end - position);
        if (line.empty() || (toEntry && StartsEntry(position))) {
            break;
        }
        if (copied > 0) {
            text.append(u"\\n");
        }
        text.append(line);
        ++copied;
        position = end;
        const bool onlySpaces = line.find_first_not_of(u' ') == std::u16string_view::npos;
        if (onlySpaces || end == FSubject.size()) {
            break;
        }
        position += breakLength;
        if (copied >= wanted) {
            break;
        }
    }
    return text;
}

bool TFormatRegistry::ReadFieldFormat(std::u16string_view format, std::size_t& position, FieldValue& value) {
    if (!format.starts_with(u":")) {
        return false;
    }
    const std::u16string_view word = format.substr(1);
    if (word.starts_with(u"time-")) {
        PassBlanks(FSubject, position, true);
        return ReadTimePattern(word.substr(5), FSubject, position, FrameRate, value.Number);
    }
    if (word == u"num") {
        PassBlanks(FSubject, position, false);
        return ReadDigits(FSubject, position, 0, value.Number);
    }
    if (word == u"tospace") {
        const std::size_t end = std::min(FSubject.find_first_of(u" \t\r\n", position), FSubject.size());
        value.Text = FSubject.substr(position, end - position);
        position = end;
        return true;
    }
    if (word == u"toeol") {
        const std::size_t end = LineBreak(position).first;
        value.Text = FSubject.substr(position, end - position);
        position = end;
        return true;
    }
    if (word.starts_with(u"toemptyline-")) {
        value.Text = ReadToEmptyLine(position, Count(word.substr(12)), false);
        return true;
    }
    if (word.starts_with(u"toentry-")) {
        if (!FProbing) {
            value.Text = ReadToEmptyLine(position, Count(word.substr(8)), true);
        }
        return true;
    }
    if (word.starts_with(u"nbch-")) {
        const std::size_t count = Count(word.substr(5));
        if (FSubject.size() - position < count) {
            return false;
        }
        value.Text = FSubject.substr(position, count);
        position += count;
        return true;
    }
    return false;
}

bool TFormatRegistry::ReadField(std::u16string_view directive, std::size_t& position) {
    const auto* field = std::find_if(kFields.begin(), kFields.end(),
                                     [&](const FieldWord& f) { return directive.starts_with(f.Word); });
    FieldValue value;
    if (field == kFields.end() || !ReadFieldFormat(directive.substr(field->Word.size()), position, value)) {
        return false;
    }
    switch (field->Kind) {
    case Field::StartTime:
        FEvent.Start = ToTime(value.Number);
        break;
    case Field::EndTime:
        FEvent.End = ToTime(value.Number);
        FEvent.HasEnd = true;
        break;
    case Field::Duration:
        FEvent.End = ToTime(static_cast<int64_t>(FEvent.Start) + value.Number);
        FEvent.HasEnd = true;
        break;
    case Field::SubNumber:
        FEvent.Number = ToTime(value.Number);
        break;
    case Field::TextLf:
        if (!value.Text.empty()) {
            FEvent.Text.append(u"\\n");
            ApplyReplacements(value.Text, FEvent.Text);
        }
        break;
    case Field::Text:
        ApplyReplacements(value.Text, FEvent.Text);
        break;
    case Field::Style:
    case Field::Dummy:
        break;
    }
    return true;
}

bool TFormatRegistry::Directive(std::u16string_view directive, std::size_t& position,
                                TLiteralSearch::Modes& modes, std::size_t& saved) {
    if (directive.empty()) {
        PassBlanks(FSubject, position, false);
    } else if (directive == u"savepos") {
        saved = position;
    } else if (directive == u"ignoreuntil") {
        modes.Search = true;
    } else if (directive == u"ignoreuntillf") {
        modes.Search = true;
        modes.LineSkip = true;
    } else if (directive == u"not") {
        modes.Negate = true;
    } else {
        return ReadField(directive, position);
    }
    return true;
}

std::size_t TFormatRegistry::MatchTemplate(std::u16string_view subject, std::size_t position,
                                           std::u16string_view templ) {
    if (FCurrent == nullptr || position > subject.size()) {
        return 0;
    }
    if (subject.data() != FSubject.data() || subject.size() != FSubject.size()) {
        FSubject = subject;
        FSearch.Reset(subject);
    }
    FEvent = TMatchedEvent{};
    const std::u16string_view lineEnd = LineEnd();
    const std::size_t start = position;
    std::size_t saved = std::u16string_view::npos;
    std::u16string literal;
    TLiteralSearch::Modes modes;
    std::size_t i = 0;
    while (i < templ.size()) {
        if (templ[i] == u'\r' || templ[i] == u'\n') {
            literal.append(templ[i] == u'\r' ? lineEnd : u"");
            ++i;
            continue;
        }
        if (templ.substr(i, 2) != u"[#") {
            const std::size_t end =
                std::min({templ.find_first_of(u"\r\n", i), templ.find(u"[#", i), templ.size()});
            literal.append(templ.substr(i, end - i));
            i = end;
            continue;
        }
        const std::size_t close = templ.find(u']', i + 2);
        if (close == std::u16string_view::npos) {
            break;
        }
        const std::u16string_view directive = templ.substr(i + 2, close - i - 2);
        i = close + 1;
        if (directive == u"[#" || directive == u"lf") {
            literal.append(directive == u"lf" ? lineEnd : directive);
            continue;
        }
        if (!literal.empty()) {
            if (!FSearch.Match(position, literal, lineEnd, modes)) {
                return 0;
            }
            literal.clear();
            modes = TLiteralSearch::Modes{};
        }
        if (!Directive(directive, position, modes, saved)) {
            return 0;
        }
    }
    if (saved != std::u16string_view::npos && saved != start) {
        position = saved;
    }
    const auto [breakAt, breakLength] = LineBreak(position);
    return position - start + (breakAt == position ? breakLength : 0);
}

std::size_t TFormatRegistry::TryTemplates(std::size_t position) {
    for (const TFormatTemplate& templ : FCurrent->Templates) {
        if (const std::size_t length = MatchTemplate(FSubject, position, templ.Text); length > 0) {
            FMatchedTemplate = &templ;
            return length;
        }
    }
    return 0;
}

std::size_t TFormatRegistry::TryCurrent(std::size_t position, std::optional<std::u16string_view> filter) {
    if (!FCurrent->AcceptsFilter(filter)) {
        return 0;
    }
    if (FLastTemplate != nullptr) {
        if (const std::size_t length = MatchTemplate(FSubject, position, FLastTemplate->Text); length > 0) {
            FMatchedTemplate = FLastTemplate;
            return length;
        }
    }
    return TryTemplates(position);
}

std::size_t TFormatRegistry::TryAll(std::size_t position, std::optional<std::u16string_view> filter) {
    for (const auto& definition : FDefinitions) {
        FCurrent = definition.get();
        if (FCurrent->AcceptsFilter(filter)) {
            if (const std::size_t length = TryTemplates(position); length > 0) {
                return length;
            }
        }
    }
    FCurrent = FDefinitions.back().get();
    return 0;
}

bool TFormatRegistry::Match(std::u16string_view subject, std::optional<std::u16string_view> filter,
                            bool force) {
    Events.clear();
    if (!StartWalk(subject, filter, force)) {
        return false;
    }
    TMatchedEvent event;
    while (NextEvent(event)) {
        Events.push_back(std::move(event));
    }
    return true;
}

bool TFormatRegistry::StartWalk(std::u16string_view subject, std::optional<std::u16string_view> filter,
                                bool force) {
    FLastTemplate = nullptr;
    FWalk = TWalk{};
    if (subject.empty() || FDefinitions.empty()) {
        FSubject = {};
        return false;
    }
    FSubject = subject;
    FSearch.Reset(subject);
    FWalk.Filter = filter;
    FWalk.Force = force;
    if (FCurrent == nullptr) {
        FCurrent = FDefinitions.front().get();
    }
    return true;
}

bool TFormatRegistry::NextEvent(TMatchedEvent& event) {
    while (FWalk.Position < FSubject.size()) {
        std::size_t length = TryCurrent(FWalk.Position, FWalk.Filter);
        if (length == 0 && (FWalk.Matches < kSearchAllBelow || FWalk.Force)) {
            length = TryAll(FWalk.Position, FWalk.Filter);
        }
        if (length == 0) {
            const auto [end, breakLength] = LineBreak(FWalk.Position);
            FWalk.Position = end + breakLength;
            continue;
        }
        FLastTemplate = FMatchedTemplate;
        ++FWalk.Matches;
        FWalk.Position += length;
        if (!FEvent.Text.empty()) {
            // The event under construction is made anew for the next template, so it is moved.
            event = std::move(FEvent);
            if (FCurrent->HtmlTags) {
                event.Text = FTags.Convert(event.Text);
            }
            return true;
        }
    }
    return false;
}
