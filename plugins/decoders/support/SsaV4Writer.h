#pragma once
// Writes decoded events and styles as SubStation Alpha v4 script text: the wide form (UTF-16LE with
// a byte-order mark, CR LF line ends, a default style, a final zero character) and the 8-bit form
// (LF line ends, only the given styles, no terminator).
#include "plugins/decoders/support/ScrRecords.h"

#include <functional>
#include <string>
#include <vector>

namespace scr {

// The style the wide writer writes when it is given none ("Default", Arial 28, ...).
const TMarkupStyle& DefaultStyle();

// The UTF-16LE bytes, byte-order mark and final zero character included. Bold and italic are
// written as -1 when set; an empty style list writes the single default style.
std::string WriteWideSsaV4(const std::vector<TMarkupStyle>& styles, const std::vector<TMarkupEvent>& events);
// The same bytes written straight into a buffer handed out as HandOut does (a zero byte after them,
// freed by FreeHandedOut), so that a long script is not copied once more; nothing when memory runs
// out. `size` receives the length of the bytes.
char* HandOutWideSsaV4(const std::vector<TMarkupStyle>& styles, const std::vector<TMarkupEvent>& events,
                       std::size_t& size);

// Hands out the events to write one at a time: the next one, nullptr after the last.
using TEventSource = std::function<const TMarkupEvent*()>;
// The same for events made one at a time as they are written, so that a long script's events never
// stand whole beside it; the buffer starts with room for `estimate` bytes of 8-bit script text and
// grows when that is too little.
char* HandOutWideSsaV4(const std::vector<TMarkupStyle>& styles, std::size_t estimate, const TEventSource& next,
                       std::size_t& size);

// The 8-bit text without terminator. Bold and italic are written as stored; events keep their name.
std::string WriteAnsiSsaV4(const std::vector<TMarkupStyle>& styles, const std::vector<TMarkupEvent>& events);

// "h:mm:ss.cc" of the absolute value of the milliseconds, hundredths truncated.
std::string FormatSsaTime(int32_t milliseconds);

} // namespace scr
