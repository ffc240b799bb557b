#pragma once
// What every decoder plug-in's exports share: handing buffers out with the plug-in's own allocator
// and freeing them again, and the name test of IsCompatible.
#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace scr {

// A new buffer (malloc) holding a copy of the bytes plus a zero byte; nullptr when out of memory.
char* HandOut(std::string_view bytes);

// FreeBuffer's body: frees *text and *advanced when given and clears them; always 1.
int32_t FreeHandedOut(void** text, char** advanced);

// True when `type` (length bytes, compared without regard to ASCII case) equals the start of one of
// the names; false for no text, a length that is not positive, or a text longer than every name.
bool MatchesNameStart(const char* type, int32_t length, std::initializer_list<std::string_view> names);

} // namespace scr
