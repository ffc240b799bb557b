#pragma once
// The 44-byte header in front of the points of a wave envelope (little-endian).
#include <cstdint>

#pragma pack(push, 1)
struct TPeakHeader {
    char Tag[4]; // "PEAK"
    uint16_t Channels;
    uint16_t Reserved1;
    uint32_t SamplesPerSec;
    uint32_t AvgBytesPerSec;
    uint16_t BlockAlign;
    uint16_t BitsPerSample;
    uint32_t DurationMs; // ms of audio held; grows as blocks are appended
    uint32_t Reserved2;
    uint32_t Reduction; // always 0
    uint32_t SamplesPerPoint;
    uint32_t PointCount;
    uint32_t SourceBytes; // bytes of the first block the envelope was built from
};
#pragma pack(pop)
static_assert(sizeof(TPeakHeader) == 44, "the envelope header is 44 bytes");
