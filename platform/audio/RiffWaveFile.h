#pragma once
// A RIFF WAVE file opened for reading: its chunks are walked with every size checked against the
// file, its "fmt " block is validated before any caller divides by its fields, and its "data" chunk
// is read in portions at any offset (never loaded whole: a film's sound runs to gigabytes).
#include "platform/audio/WaveFormat.h"

#include <cstdint>
#include <string>

namespace plat::audio {

class RiffWaveFile {
public:
    enum class Error {
        None,
        CannotOpen,        // missing, unreadable or not a regular file
        NotRiffWave,       // no "RIFF" header of form type "WAVE"
        ChunkPastEnd,      // a chunk (or the RIFF form) claims more bytes than the file holds
        NoFormat,          // no "fmt " chunk of at least 16 bytes
        UnsupportedFormat, // see FormatProblem()
        NoData,            // no "data" chunk after the "fmt " chunk
    };

    RiffWaveFile() = default;
    ~RiffWaveFile();
    RiffWaveFile(const RiffWaveFile&) = delete;
    RiffWaveFile& operator=(const RiffWaveFile&) = delete;

    // Closes any open file first. On failure the object stays closed.
    Error Open(const std::string& path);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

    // The format block: the first 20 bytes of the "fmt " chunk (for a 16-byte chunk the last four
    // come from the next chunk's header, as the format readers of the platform did).
    const WaveFormat& Format() const { return format_; }
    FormatProblem Problem() const { return problem_; }
    // Absolute file offset of the data chunk's first byte.
    std::int64_t DataPosition() const { return dataPosition_; }
    // Bytes of whole sample frames in the data chunk (a trailing partial frame is left out).
    std::int64_t DataSize() const { return dataSize_; }

    // Reads up to `count` bytes from `offset` bytes into the data chunk, never past its end. Answers
    // the bytes read: 0 at or past the end, for a negative offset or count, and on a read error.
    std::int64_t ReadData(std::int64_t offset, void* buffer, std::int64_t count) const;

    static const char* ErrorText(Error error);

private:
    Error Parse();
    // Finds the chunk `id` in [from, end): its header position, or -1. ChunkPastEnd when a chunk
    // on the way does not fit.
    Error FindChunk(const char* id, std::int64_t from, std::int64_t end, std::int64_t* found,
                    std::uint32_t* size) const;
    bool ReadAt(std::int64_t position, void* buffer, std::int64_t count) const; // all or false
    std::int64_t ReadSome(std::int64_t position, void* buffer, std::int64_t count) const;

    int fd_ = -1;
    std::int64_t fileSize_ = 0;
    WaveFormat format_;
    FormatProblem problem_ = FormatProblem::None;
    std::int64_t dataPosition_ = -1;
    std::int64_t dataSize_ = -1;
};

} // namespace plat::audio
