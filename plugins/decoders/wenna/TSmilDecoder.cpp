#include "plugins/decoders/wenna/TSmilDecoder.h"

#include "plugins/decoders/markup/MarkupEntities.h"
#include "plugins/decoders/markup/MarkupTag.h"
#include "plugins/decoders/markup/MarkupTime.h"
#include "plugins/decoders/markup/MarkupWalk.h"

#include <optional>
#include <string>

namespace {

// A time attribute of the tag, truncated to a multiple of 10 ms; nothing when absent or unreadable.
std::optional<int32_t> TimeAttribute(std::string_view attributes, std::string_view name) {
    const std::optional<std::string_view> value = markup::AttributeValue(attributes, name);
    const std::optional<int32_t> ms = value ? markup::ParseMarkupTime(*value) : std::nullopt;
    return ms ? std::optional<int32_t>(*ms / 10 * 10) : std::nullopt;
}

} // namespace

bool TSmilDecoder::Decode(std::string_view data) {
    markup::WalkMarkup(
        data, FUtf8, [this](TByteReader& reader) { ReadTagAt(reader); },
        [this](TByteReader& reader, char c) {
            if (FInside) {
                ReadText(reader, c);
            }
        });
    EmitLast();
    return FSawTime;
}

void TSmilDecoder::ReadTagAt(TByteReader& reader) {
    std::string tag;
    if (!markup::ReadTag(reader, tag)) {
        if (FInside) {
            FText.Append(tag);
        }
        return;
    }
    const markup::TTagParts parts = markup::SplitTag(tag, true);
    ApplyTag(parts.Name, parts.Attributes);
}

void TSmilDecoder::ApplyTag(std::string_view name, std::string_view attributes) {
    if (name == "TIME") {
        ApplyTime(attributes);
    } else if (name == "CLEAR") {
        FText.Clear();
    } else if (name == "WINDOW") {
        FWindowDuration = TimeAttribute(attributes, "DURATION").value_or(-1);
    } else if (FInside) {
        markup::AppendFormattingTag(name, attributes, FText);
    }
}

void TSmilDecoder::ApplyTime(std::string_view attributes) {
    const int32_t time = TimeAttribute(attributes, "BEGIN").value_or(0);
    FInside = true;
    FSawTime = true;
    if (FStart < 0) {
        FStart = time;
    } else if (FEnd < 0) {
        FEnd = time;
        Emit();
    } else {
        Emit();
        FStart = time;
        FEnd = -1;
    }
    if (const std::optional<int32_t> end = TimeAttribute(attributes, "END")) {
        FEnd = *end;
    }
}

void TSmilDecoder::ReadText(TByteReader& reader, char c) {
    markup::AppendTextByte(reader, FText, c, FUtf8);
}

void TSmilDecoder::Emit() {
    FEvents.AddText(FStart, FEnd, FText);
    FStart = FEnd;
    FEnd = -1;
}

void TSmilDecoder::EmitLast() {
    if (FStart < 0) {
        return;
    }
    if (FEnd < 0 && FWindowDuration > FStart) {
        FEnd = FWindowDuration;
    }
    if (FEnd >= 0) {
        Emit();
    }
}
