#pragma once
// The 8-bit text fields of profiles and volumes keep a bounded number of bytes of UTF-8 text.
#include <cstddef>
#include <string>
#include <string_view>

// The text cut to at most `maxBytes` bytes at a character boundary.
std::string CutToField(std::string_view text, std::size_t maxBytes);
