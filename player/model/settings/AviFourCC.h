#pragma once
// The FourCC codes of an AVI file's video and audio streams, read from its RIFF headers.
#include <cstdint>
#include <string>

// Reads the stream headers of the file's "hdrl" list: the handler code of the last video stream
// goes to `video`, that of the last audio stream to `audio` (both 0 when there is none). True when
// at least one video or audio stream header was found; false for a file that is not a readable AVI.
bool ReadAviFourCC(const char16_t* fileName, std::uint32_t& video, std::uint32_t& audio);

// The four bytes as characters, least significant first; bytes of 32 or less and 127 become blanks.
std::u16string FourCCToText(std::uint32_t fourCC);
