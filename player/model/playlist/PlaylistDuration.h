#pragma once
// The time text of a playlist entry's "dur": hours:minutes:seconds.fraction, e.g. "0:01:23.45".
#include <cstdint>
#include <string>
#include <string_view>

// Hours, minutes and seconds of one to four digits each, a fraction of one or two digits (".5" is
// half a second); a blank counts as the digit 0. Milliseconds; 0 for a text lacking a part, holding
// anything else, or too long for 32 bits.
int32_t ParsePlaylistDuration(std::u16string_view text);
// "%01d:%02d:%02d.%02d" of hours, minutes, seconds and hundredths.
std::u16string FormatPlaylistDuration(int32_t milliseconds);
