#pragma once
// What the hub needs of the audio stream controller.
#include <cstdint>
#include <optional>
#include <span>

class IOSDControl;

class IAudioInfo {
public:
    // Size of one audio stream record of order 300.
    static constexpr size_t kTrackBytes = 40;

    virtual ~IAudioInfo() = default;
    virtual void SetOSDControl(IOSDControl* osd) = 0;
    // Deletes the streams; notifies unless silent.
    virtual void Clear(bool silent) = 0;
    virtual void AddTrack(std::span<const uint8_t, kTrackBytes> record) = 0;
    // Stores the current stream and raises event 7; answers whether the user asked for the change
    // (and forgets that).
    virtual bool SetCurrent(int32_t index) = 0;
    // Events 21 and 7.
    virtual void NotifyAll() = 0;
    // The language identifier (LCID) of a stream; nothing for an index out of range.
    virtual std::optional<uint32_t> GetTrackLanguage(int32_t index) const = 0;
};
