#include "platform/audio/tests/WaveBytes.h"

#include <cstring>
#include <fstream>

namespace plat::audio::testing {
namespace {

std::string Le32(std::uint32_t value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<char>(value >> (8 * i));
    }
    return bytes;
}

std::string Le16(std::uint16_t value) {
    return Le32(value).substr(0, 2);
}

} // namespace

WaveFormat StereoFormat16(std::uint32_t rate) {
    WaveFormat format;
    format.formatTag = kWaveFormatPcm;
    format.channels = 2;
    format.samplesPerSec = rate;
    format.blockAlign = 4;
    format.avgBytesPerSec = rate * 4;
    format.bitsPerSample = 16;
    return format;
}

std::string Chunk(const char* id, const std::string& bytes) {
    std::string chunk = std::string(id, 4) + Le32(static_cast<std::uint32_t>(bytes.size())) + bytes;
    if (bytes.size() % 2 != 0) {
        chunk += '\0';
    }
    return chunk;
}

std::string NumberedFrames(int frames) {
    std::string bytes;
    for (int i = 0; i < frames; ++i) {
        bytes += Le16(static_cast<std::uint16_t>(i)) + Le16(static_cast<std::uint16_t>(-i));
    }
    return bytes;
}

std::string WaveBytes::Build() const {
    std::string formatBytes = Le16(format.formatTag) + Le16(format.channels) + Le32(format.samplesPerSec) +
                              Le32(format.avgBytesPerSec) + Le16(format.blockAlign) +
                              Le16(format.bitsPerSample) + Le16(format.extraSize) + Le16(format.extra);
    formatBytes.resize(formatChunkSize, '\0');
    std::string dataChunk = Chunk("data", data);
    if (dataSizeField >= 0) {
        dataChunk.replace(4, 4, Le32(static_cast<std::uint32_t>(dataSizeField)));
    }
    const std::string formatChunk = Chunk("fmt ", formatBytes);
    std::string body =
        dataBeforeFormat ? dataChunk + formatChunk : formatChunk + chunksBeforeData + dataChunk;
    const auto riffSize = static_cast<std::uint32_t>(riffSizeField >= 0 ? riffSizeField : 4 + body.size());
    return "RIFF" + Le32(riffSize) + "WAVE" + body;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace plat::audio::testing
