#pragma once
// What the hub needs of the subpicture stream controller.
#include <cstdint>
#include <optional>
#include <span>

class ISubsInfo {
public:
    // Size of one subpicture stream record of order 300.
    static constexpr size_t kTrackBytes = 16;

    virtual ~ISubsInfo() = default;
    // Deletes the streams; notifies unless silent.
    virtual void Clear(bool silent) = 0;
    virtual void AddTrack(std::span<const uint8_t, kTrackBytes> record) = 0;
    // Stores the current stream and its shown flag and raises event 8; answers whether the user asked
    // for the change (and forgets that).
    virtual bool SetCurrent(int32_t index, bool shown) = 0;
    // Events 22 and 8.
    virtual void NotifyAll() = 0;
    // The language identifier (LCID) of a stream; nothing for an index out of range.
    virtual std::optional<uint32_t> GetTrackLanguage(int32_t index) const = 0;
};
