#include "platform/audio/RiffWaveFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plat::audio {
namespace {

constexpr std::int64_t kRiffHeaderSize = 12;
constexpr std::int64_t kChunkHeaderSize = 8;
constexpr std::int64_t kLeastFormatSize = 16;

bool IdIs(const char* id, const char* expected) {
    return std::memcmp(id, expected, 4) == 0;
}

std::uint32_t LittleEndian32(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

std::uint16_t LittleEndian16(const unsigned char* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

WaveFormat DecodeFormat(const unsigned char* bytes) {
    WaveFormat format;
    format.formatTag = LittleEndian16(bytes);
    format.channels = LittleEndian16(bytes + 2);
    format.samplesPerSec = LittleEndian32(bytes + 4);
    format.avgBytesPerSec = LittleEndian32(bytes + 8);
    format.blockAlign = LittleEndian16(bytes + 12);
    format.bitsPerSample = LittleEndian16(bytes + 14);
    format.extraSize = LittleEndian16(bytes + 16);
    format.extra = LittleEndian16(bytes + 18);
    return format;
}

} // namespace

RiffWaveFile::~RiffWaveFile() {
    Close();
}

RiffWaveFile::Error RiffWaveFile::Open(const std::string& path) {
    Close();
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
        Close();
        return Error::CannotOpen;
    }
    fileSize_ = info.st_size;
    const Error error = Parse();
    if (error != Error::None) {
        Close();
    }
    return error;
}

void RiffWaveFile::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = -1;
    fileSize_ = 0;
    format_ = WaveFormat{};
    problem_ = FormatProblem::None;
    dataPosition_ = -1;
    dataSize_ = -1;
}

RiffWaveFile::Error RiffWaveFile::Parse() {
    unsigned char riff[kRiffHeaderSize];
    if (!ReadAt(0, riff, kRiffHeaderSize) || !IdIs(reinterpret_cast<char*>(riff), "RIFF") ||
        !IdIs(reinterpret_cast<char*>(riff + 8), "WAVE")) {
        return Error::NotRiffWave;
    }
    const std::int64_t riffEnd = kChunkHeaderSize + static_cast<std::int64_t>(LittleEndian32(riff + 4));
    if (riffEnd > fileSize_) {
        return Error::ChunkPastEnd;
    }
    std::int64_t formatAt = -1;
    std::uint32_t formatSize = 0;
    Error error = FindChunk("fmt ", kRiffHeaderSize, riffEnd, &formatAt, &formatSize);
    if (error != Error::None) {
        return error;
    }
    if (formatAt < 0 || formatSize < kLeastFormatSize) {
        return Error::NoFormat;
    }
    // Twenty bytes whatever the chunk's size; bytes past the end of the file read as 0.
    unsigned char formatBytes[sizeof(WaveFormat)] = {};
    const std::int64_t formatStart = formatAt + kChunkHeaderSize;
    if (!ReadAt(formatStart, formatBytes,
                std::min<std::int64_t>(sizeof formatBytes, fileSize_ - formatStart))) {
        return Error::NoFormat;
    }
    format_ = DecodeFormat(formatBytes);
    problem_ = CheckPcmFormat(format_);
    if (problem_ != FormatProblem::None) {
        return Error::UnsupportedFormat;
    }
    const std::int64_t formatEnd = formatStart + formatSize + (formatSize & 1);
    std::int64_t dataAt = -1;
    std::uint32_t dataSize = 0;
    error = FindChunk("data", formatEnd, riffEnd, &dataAt, &dataSize);
    if (error != Error::None) {
        return error;
    }
    if (dataAt < 0) {
        return Error::NoData;
    }
    dataPosition_ = dataAt + kChunkHeaderSize;
    dataSize_ = dataSize - dataSize % format_.blockAlign;
    return Error::None;
}

RiffWaveFile::Error RiffWaveFile::FindChunk(const char* id, std::int64_t from, std::int64_t end,
                                            std::int64_t* found, std::uint32_t* size) const {
    *found = -1;
    std::int64_t position = from;
    while (position + kChunkHeaderSize <= end) {
        unsigned char header[kChunkHeaderSize];
        if (!ReadAt(position, header, kChunkHeaderSize)) {
            return Error::ChunkPastEnd;
        }
        const std::uint32_t chunkSize = LittleEndian32(header + 4);
        const std::int64_t chunkEnd = position + kChunkHeaderSize + chunkSize;
        // The pad byte of an odd-sized chunk may be missing at the very end of a file.
        if (chunkEnd > end) {
            return Error::ChunkPastEnd;
        }
        if (IdIs(reinterpret_cast<char*>(header), id)) {
            *found = position;
            *size = chunkSize;
            return Error::None;
        }
        position = chunkEnd + (chunkSize & 1);
    }
    return Error::None;
}

bool RiffWaveFile::ReadAt(std::int64_t position, void* buffer, std::int64_t count) const {
    return ReadSome(position, buffer, count) == count;
}

std::int64_t RiffWaveFile::ReadSome(std::int64_t position, void* buffer, std::int64_t count) const {
    auto* bytes = static_cast<char*>(buffer);
    std::int64_t done = 0;
    while (done < count) {
        const ssize_t got =
            ::pread(fd_, bytes + done, static_cast<std::size_t>(count - done), position + done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        done += got;
    }
    return done;
}

std::int64_t RiffWaveFile::ReadData(std::int64_t offset, void* buffer, std::int64_t count) const {
    if (!IsOpen() || offset < 0 || count <= 0 || offset >= dataSize_) {
        return 0;
    }
    return ReadSome(dataPosition_ + offset, buffer, std::min(count, dataSize_ - offset));
}

const char* RiffWaveFile::ErrorText(Error error) {
    switch (error) {
    case Error::None:
        return "no error";
    case Error::CannotOpen:
        return "the file cannot be opened for reading";
    case Error::NotRiffWave:
        return "not a RIFF WAVE file";
    case Error::ChunkPastEnd:
        return "a chunk runs past the end of the file";
    case Error::NoFormat:
        return "no format chunk";
    case Error::UnsupportedFormat:
        return "a format other than 8- or 16-bit PCM in one or two channels";
    case Error::NoData:
        return "no data chunk";
    }
    return "unknown error";
}

} // namespace plat::audio
