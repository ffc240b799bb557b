#pragma once
// Byte images of RIFF WAVE files for tests: a valid file by default, with any field or chunk
// changed to make it hostile.
#include "platform/audio/WaveFormat.h"

#include <cstdint>
#include <string>

namespace plat::audio::testing {

// 16-bit stereo PCM at 8,000 Hz.
WaveFormat StereoFormat16(std::uint32_t rate = 8000);

struct WaveBytes {
    WaveFormat format = StereoFormat16();
    std::uint32_t formatChunkSize = 16;
    std::string data;                // the data chunk's bytes
    std::int64_t dataSizeField = -1; // written in place of the data's size when 0 or more
    std::int64_t riffSizeField = -1; // written in place of the form's size when 0 or more
    std::string chunksBeforeData;    // whole chunks between "fmt " and "data"
    bool dataBeforeFormat = false;

    std::string Build() const;
};

// One chunk: id, size and bytes, with the pad byte of an odd size.
std::string Chunk(const char* id, const std::string& bytes);
// `frames` frames of 16-bit stereo whose left sample is the frame number and right its negative.
std::string NumberedFrames(int frames);
void WriteFile(const std::string& path, const std::string& bytes);

} // namespace plat::audio::testing
