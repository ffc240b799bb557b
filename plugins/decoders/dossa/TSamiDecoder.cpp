#include "plugins/decoders/dossa/TSamiDecoder.h"

#include "plugins/decoders/markup/MarkupEntities.h"
#include "plugins/decoders/markup/MarkupTag.h"
#include "plugins/decoders/markup/MarkupTime.h"
#include "plugins/decoders/markup/MarkupWalk.h"

#include <array>
#include <optional>

namespace {

// The tags with an effect, then those of the file's structure, which have none.
constexpr std::array<std::string_view, 21> kKnownTags{
    "HEAD",  "BODY",  "SYNC", "P",     "FONT", "BR",    "B",     "/B",     "I",     "/I",    "/HEAD",
    "/BODY", "/SYNC", "/P",   "/FONT", "SAMI", "/SAMI", "TITLE", "/TITLE", "STYLE", "/STYLE"};

bool IsKnownTag(std::string_view name) {
    for (const std::string_view known : kKnownTags) {
        if (name == known) {
            return true;
        }
    }
    return false;
}

// The leading decimal digits (after an opening quote), saturated; 0 when there are none.
int32_t Milliseconds(std::string_view value) {
    if (!value.empty() && value.front() == '"') {
        value.remove_prefix(1);
    }
    int64_t ms = 0;
    for (const char c : value) {
        if (c < '0' || c > '9') {
            break;
        }
        ms = markup::SaturatedAdd(markup::SaturatedMultiply(ms, 10), c - '0');
    }
    return static_cast<int32_t>(ms);
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
        if (upper(a[i]) != upper(b[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

TSamiDecoder::TSamiDecoder(std::string_view classSetting) : FClass(classSetting.substr(0, kMaxClassChars)) {}

bool TSamiDecoder::Decode(std::string_view data) {
    markup::WalkMarkup(
        data, FUtf8, [this](TByteReader& reader) { ReadTagAt(reader); },
        [this](TByteReader& reader, char c) { ReadText(reader, c); });
    if (FStart >= 0) {
        FEnd = markup::SaturatedAdd(FStart, kLastSubtitleMs);
        Emit();
    }
    return FSawSync;
}

void TSamiDecoder::ReadTagAt(TByteReader& reader) {
    std::string tag;
    const bool closed = markup::ReadTag(reader, tag);
    // Tags that do not belong to the format are written as text, but only into the class taken.
    if (!closed) {
        if (FState == TState::Collecting) {
            FText.Append(tag);
        }
        return;
    }
    const markup::TTagParts parts = markup::SplitTag(tag, false);
    if (!IsKnownTag(parts.Name)) {
        if (FState != TState::Collecting) {
            return;
        }
        FText.Append('<');
        FText.Append(tag);
        FText.Append('>');
        return;
    }
    ApplyTag(parts.Name, parts.Attributes);
}

void TSamiDecoder::ApplyTag(std::string_view name, std::string_view attributes) {
    const bool collecting = FState == TState::Collecting;
    if (name == "SYNC") {
        ApplySync(attributes);
    } else if (name == "P") {
        ApplyParagraph(attributes);
    } else if (collecting) {
        markup::AppendFormattingTag(name, attributes, FText);
    }
}

void TSamiDecoder::ApplySync(std::string_view attributes) {
    const std::optional<std::string_view> start = markup::AttributeValue(attributes, "START");
    const int32_t time = (start ? Milliseconds(*start) : 0) / 10 * 10;
    FSawSync = true;
    SetState(TState::Skipping);
    if (FStart < 0) {
        FStart = time;
    } else {
        FEnd = time;
        Emit();
    }
}

void TSamiDecoder::ApplyParagraph(std::string_view attributes) {
    const std::optional<std::string_view> paragraphClass = markup::AttributeValue(attributes, "CLASS");
    if (!paragraphClass) {
        SetState(TState::Skipping);
        return;
    }
    if (FClass.empty()) {
        FClass = std::string(paragraphClass->substr(0, kMaxClassChars));
    }
    SetState(EqualsNoCase(*paragraphClass, FClass) ? TState::Collecting : TState::Skipping);
}

void TSamiDecoder::SetState(TState state) {
    if (state == TState::Collecting && FState != TState::Collecting) {
        FText.Clear();
    }
    FState = state;
}

void TSamiDecoder::ReadText(TByteReader& reader, char c) {
    if (FState == TState::Collecting) {
        markup::AppendTextByte(reader, FText, c, FUtf8);
    }
}

void TSamiDecoder::Emit() {
    FEvents.AddText(FStart, FEnd, FText);
    FText.Clear();
    FStart = FEnd;
    FEnd = -1;
}
