#include "plugins/decoders/wenna/TSmilTimingDecoder.h"

#include "plugins/decoders/markup/AttributeList.h"
#include "plugins/decoders/markup/MarkupEntities.h"
#include "plugins/decoders/markup/MarkupTag.h"
#include "plugins/decoders/markup/MarkupTime.h"
#include "plugins/decoders/markup/MarkupWalk.h"
#include "plugins/decoders/wenna/SmilClock.h"

#include <algorithm>
#include <array>

namespace {

struct TElementKind {
    std::string_view Name;
    bool Parallel;
    bool Sequence;
    bool Text;
};

// Timed elements by their upper-case names; others (head, layout, region, ...) are not timed.
constexpr std::array<TElementKind, 13> kTimed{{
    {"PAR", true, false, false},
    {"EXCL", true, false, false},
    {"SEQ", false, true, false},
    {"BODY", false, true, false},
    {"TEXT", false, false, true},
    {"SMILTEXT", false, false, true},
    {"VIDEO", false, false, false},
    {"AUDIO", false, false, false},
    {"IMG", false, false, false},
    {"REF", false, false, false},
    {"ANIMATION", false, false, false},
    {"TEXTSTREAM", false, false, false},
    {"BRUSH", false, false, false},
}};

std::optional<int64_t> ClockAttribute(std::string_view attributes, std::string_view name) {
    const auto value = markup::TAttributeList<char>::Find(attributes, name);
    return value ? ParseSmilClock(*value) : std::nullopt;
}

std::optional<int64_t> Earliest(std::optional<int64_t> a, std::optional<int64_t> b) {
    return a && b ? std::min(*a, *b) : a ? a : b;
}

// Text with its runs of spaces made one and no space at either end, as markup text is laid out.
std::string Collapsed(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c != ' ' || (!out.empty() && out.back() != ' ')) {
            out.push_back(c);
        }
    }
    if (!out.empty() && out.back() == ' ') {
        out.pop_back();
    }
    return out;
}

} // namespace

bool TSmilTimingDecoder::Decode(std::string_view data) {
    markup::WalkMarkup(
        data, FUtf8, [this](TByteReader& reader) { ReadTagAt(reader); },
        [this](TByteReader& reader, char c) {
            if (InText()) {
                // Line ends and tabs lay text out like spaces.
                markup::AppendTextByte(reader, FText, c == '\r' || c == '\n' || c == '\t' ? ' ' : c, FUtf8);
            }
        });
    while (!FElements.empty()) {
        Close(FElements.back().Name);
    }
    return FSawText;
}

void TSmilTimingDecoder::ReadTagAt(TByteReader& reader) {
    std::string tag;
    // Declarations, comments and processing instructions ("<!...>", "<?...>") are no elements.
    if (!markup::ReadTag(reader, tag) || tag.starts_with('!') || tag.starts_with('?')) {
        return;
    }
    while (!tag.empty() && markup::TAttributeList<char>::IsBlank(tag.back())) {
        tag.pop_back();
    }
    const bool selfClosing = !tag.empty() && tag.back() == '/';
    if (selfClosing) {
        tag.pop_back();
    }
    const markup::TTagParts parts = markup::SplitTag(tag, true);
    if (InText() && markup::AppendFormattingTag(parts.Name, parts.Attributes, FText)) {
        return;
    }
    if (parts.Name.starts_with('/')) {
        Close(parts.Name.substr(1));
    } else {
        Open(parts.Name, parts.Attributes, selfClosing);
    }
}

void TSmilTimingDecoder::Open(std::string_view name, std::string_view attributes, bool selfClosing) {
    const auto* kind =
        std::find_if(kTimed.begin(), kTimed.end(), [&](const TElementKind& k) { return k.Name == name; });
    if (kind == kTimed.end() || FElements.size() >= kMaxDepth) {
        return;
    }
    TElement element;
    element.Name = std::string(name);
    element.Kind = kind->Parallel   ? TKind::Parallel
                   : kind->Sequence ? TKind::Sequence
                   : kind->Text     ? TKind::Text
                                    : TKind::Media;
    const TElement* parent = FElements.empty() ? nullptr : &FElements.back();
    const int64_t base = parent == nullptr                 ? 0
                         : parent->Kind == TKind::Sequence ? parent->Cursor
                                                           : parent->Begin;
    element.Begin = markup::SaturatedAdd(base, ClockAttribute(attributes, "begin").value_or(0));
    const std::optional<int64_t> end = ClockAttribute(attributes, "end");
    const std::optional<int64_t> duration = ClockAttribute(attributes, "dur");
    element.End = Earliest(end ? std::optional<int64_t>(markup::SaturatedAdd(base, *end)) : std::nullopt,
                           duration ? std::optional<int64_t>(markup::SaturatedAdd(element.Begin, *duration))
                                    : std::nullopt);
    element.Limit = Earliest(element.End, parent != nullptr ? parent->Limit : std::nullopt);
    element.Cursor = element.Begin;
    element.LastEnd = element.Begin;
    if (element.Kind == TKind::Text) {
        FText.Clear();
        FSawText = true;
    }
    FElements.push_back(std::move(element));
    if (selfClosing) {
        Close(name);
    }
}

int64_t TSmilTimingDecoder::ResolvedEnd(const TElement& element) const {
    int64_t end = element.End.value_or(element.Begin);
    if (!element.End) {
        switch (element.Kind) {
        case TKind::Parallel:
        case TKind::Sequence:
            end = element.LastEnd;
            break;
        case TKind::Text:
            end = element.Limit.value_or(markup::SaturatedAdd(element.Begin, kOpenEndDuration));
            break;
        case TKind::Media:
            break;
        }
    }
    return std::max(element.Begin, std::min(end, element.Limit.value_or(end)));
}

void TSmilTimingDecoder::Close(std::string_view name) {
    if (FElements.empty() || FElements.back().Name != name) {
        return;
    }
    const TElement element = std::move(FElements.back());
    FElements.pop_back();
    const int64_t end = ResolvedEnd(element);
    if (element.Kind == TKind::Text && end > element.Begin) {
        TSubtitleText text;
        text.Append(Collapsed(FText.Text()));
        FEvents.AddText(static_cast<int32_t>(std::min(element.Begin, markup::kMaxTimeMs)),
                        static_cast<int32_t>(std::min(end, markup::kMaxTimeMs)), text);
        FText.Clear();
    }
    if (!FElements.empty()) {
        TElement& parent = FElements.back();
        parent.LastEnd = std::max(parent.LastEnd, end);
        parent.Cursor = end;
    }
}
