#pragma once
// A time portion of the data chunk of a RIFF WAVE file, with the conversions between bytes and
// milliseconds for the file's format. Base of the wave player and of the envelope viewer.
#include "platform/audio/RiffWaveFile.h"
#include "platform/audio/WaveFormat.h"

#include <cstdint>

class TWaveFile {
public:
    TWaveFile() = default;
    virtual ~TWaveFile() = default;
    TWaveFile(const TWaveFile&) = delete;
    TWaveFile& operator=(const TWaveFile&) = delete;

    // Opens the portion of `lengthMs` (below 1: the rest of the data) from `startMs`, moved back to
    // fit in the data. 1 when it is open, 0 when the file is missing, not a WAVE file, holds another
    // format than 8- or 16-bit PCM in one or two channels, or its chunks do not fit in the file.
    virtual int32_t Open(const char16_t* path, int32_t startMs, int32_t lengthMs);
    // Closes the file; the portion's fields stay.
    void Close();

    // ms of audio in `bytes`, or -1 when not open.
    int32_t BytesToMs(int64_t bytes) const;
    // Bytes of audio in `ms`, in whole sample frames (negative times count as 0), or -1 when not open.
    int64_t MsToBytes(int32_t ms) const;
    int32_t GetChannels() const;
    int32_t GetStartMs() const;
    int32_t GetLengthMs() const;

    const plat::audio::WaveFormat& Format() const { return format_; }
    bool IsOpen() const { return openFlag_; }

protected:
    // Returns to the state after construction (no file, nothing open, every position -1).
    void ResetState();
    // Reads up to `count` bytes at the file position (bytes from the start of the data), moving it.
    int64_t ReadAtFilePosition(void* buffer, int64_t count);
    int64_t FilePosition() const { return filePosition_; }
    void SetFilePosition(int64_t dataOffset) { filePosition_ = dataOffset; }
    // First byte after the portion, counted from the start of the data.
    int64_t PortionEnd() const { return portionStart_ + portionLength_; }
    bool FileIsOpen() const { return file_.IsOpen(); }

    bool openFlag_ = false;
    plat::audio::WaveFormat format_;
    int64_t dataPosition_ = -1;
    int64_t dataSize_ = -1;
    int32_t portionDuration_ = -1;
    int64_t portionStart_ = -1;
    int64_t portionLength_ = -1;

private:
    // Start and length of the portion in bytes for the times, as Open gives them.
    void PlacePortion(int32_t startMs, int32_t lengthMs);

    plat::audio::RiffWaveFile file_;
    int64_t filePosition_ = 0;
};
