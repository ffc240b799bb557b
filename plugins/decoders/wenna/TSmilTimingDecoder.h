#pragma once
// Decodes SMIL files timed the W3C way: "par" (and "excl") elements run their children together,
// "seq" (and "body") one after another; every timed element may carry "begin", "end" and "dur" clock
// values, taken from the start of its parent ("par") or from the end of the element before it
// ("seq"), and no element outlasts its parent. The text of "text" and "smilText" elements becomes an
// event; inside it, line breaks, bold, italic and font colours become override tags and entities
// their characters.
#include "plugins/decoders/markup/TByteReader.h"
#include "plugins/decoders/markup/TMarkupEventList.h"
#include "plugins/decoders/markup/TSubtitleText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TSmilTimingDecoder {
public:
    // How long a text lasts when neither it nor an element around it says.
    static constexpr int64_t kOpenEndDuration = 3000;
    // Elements nested deeper than this are not timed (hostile input).
    static constexpr std::size_t kMaxDepth = 256;

    // Decodes the file's bytes; false when they hold no text element (no file of this kind).
    bool Decode(std::string_view data);

    const TMarkupEventList& Events() const { return FEvents; }

private:
    enum class TKind { Parallel, Sequence, Text, Media };

    struct TElement {
        std::string Name;
        TKind Kind = TKind::Media;
        int64_t Begin = 0;
        std::optional<int64_t> End;   // from "end" or "dur"
        std::optional<int64_t> Limit; // the earliest end of this element and those around it
        int64_t Cursor = 0;           // a sequence: where its next child starts
        int64_t LastEnd = 0;          // the latest end of its children
    };

    void ReadTagAt(TByteReader& reader);
    void Open(std::string_view name, std::string_view attributes, bool selfClosing);
    void Close(std::string_view name);
    // The end of the innermost element, resolved from what it and its children gave.
    int64_t ResolvedEnd(const TElement& element) const;
    bool InText() const { return !FElements.empty() && FElements.back().Kind == TKind::Text; }

    std::vector<TElement> FElements;
    TSubtitleText FText;
    TMarkupEventList FEvents;
    bool FSawText = false;
    bool FUtf8 = true;
};
