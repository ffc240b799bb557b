#pragma once
// The format block of a WAVE file's "fmt " chunk as the wave tools keep it: the 18 bytes of the
// extensible format header followed by two more bytes of the file (20 bytes in all, little-endian).
#include <cstdint>

namespace plat::audio {

#pragma pack(push, 1)
struct WaveFormat {
    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSec = 0;
    std::uint32_t avgBytesPerSec = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint16_t extraSize = 0;
    std::uint16_t extra = 0;
};
#pragma pack(pop)
static_assert(sizeof(WaveFormat) == 20, "the format block is 20 bytes");

constexpr std::uint16_t kWaveFormatPcm = 1;

// Bytes one sample of one channel takes: 1 for 8-bit audio, 2 for 16-bit.
inline int BytesPerSample(const WaveFormat& format) {
    return format.bitsPerSample == 8 ? 1 : 2;
}

// Why a format cannot be played or shown.
enum class FormatProblem {
    None,
    NotPcm,         // a format tag other than PCM
    BadChannels,    // 0 or more than 2 channels
    BadRate,        // 0 samples per second
    BadSampleWidth, // neither 8 nor 16 bits per sample
    BadBlockAlign,  // block alignment other than channels x bytes per sample
    BadAverageRate, // average bytes per second other than rate x block alignment
};

// Checks the fields every byte and time conversion divides by or multiplies with.
FormatProblem CheckPcmFormat(const WaveFormat& format);
const char* FormatProblemText(FormatProblem problem);

} // namespace plat::audio
