#pragma once
// Reads the events of SubStation Alpha text (ours, UTF-16LE with a mark, or ffmpeg's UTF-8 ASS) for
// comparing decoders: times in milliseconds and the text with override tags and markup removed.
#include <cstdint>
#include <string>
#include <vector>

namespace ass_events {

struct Event {
    int32_t Start = 0;
    int32_t End = 0;
    std::string Text; // as written
    bool operator==(const Event&) const = default;
};

// The bytes as UTF-8: UTF-16LE after an FF FE mark (a final zero character dropped), else as they are.
std::string Utf8(const std::string& bytes);
// The Dialogue lines of the script, in order.
std::vector<Event> Dialogues(const std::string& utf8);
// Text with {...} blocks and <...> tags removed, \N and \n as line breaks, lines trimmed.
std::string Normalised(const std::string& text);

} // namespace ass_events
