#pragma once
// Text helpers shared by the graph log and the graph reports: escaping that keeps every report
// well-formed XML, and the hand-over of a finished text to the caller of an order.
#include "foundation/TMemoryObject.h"

#include <cstddef>
#include <string_view>

class TReportText {
public:
    // Terminators the order protocol puts after the texts: one zero character after the filter list
    // and the media content, two after the graph log.
    static constexpr std::size_t kReportTerminators = 1;
    static constexpr std::size_t kLogTerminators = 2;
    // First block of the buffers the texts are written into.
    static constexpr int kFirstBlock = 2048;

    // Appends the text escaped for element text and for attribute values in double quotes alike:
    // "&", "<", ">" and the double quote become entities, and control characters that XML does not
    // allow (all below U+0020 but tab, line feed and carriage return) become U+FFFD.
    static void AppendEscaped(TMemoryObject& out, std::u16string_view text);
    // The same for UTF-8 text (names coming from the media layer).
    static void AppendEscapedUtf8(TMemoryObject& out, std::string_view text);

    // A copy of the text with `terminators` zero characters after it, in a block of the core's heap
    // (malloc) of exactly that size, which the caller frees with free(); null when memory runs out.
    static char16_t* Handover(const TMemoryObject& text, std::size_t terminators);
};
