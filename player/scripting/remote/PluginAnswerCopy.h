#pragma once
// Copies a command's answer into a plug-in's buffer of `capacity` bytes: as many whole UTF-16 units
// as fit before a terminating NUL, which always lies inside the buffer. Never writes more than
// `capacity` bytes; nothing when the buffer is null or smaller than one unit. Answers the bytes the
// copy takes, terminator included (0 when nothing fits).
#include <cstdint>
#include <string_view>

int32_t CopyPluginAnswer(std::u16string_view answer, char16_t* buffer, int32_t capacity);
