#pragma once
// The subpicture controller as the hub, the windows and the command scripts use it: the subpicture
// streams the core reported, the selection and the display switch with the asked-flag handshake.
#include "player/model/events/TCallbackFunction.h"

#include <cstdint>
#include <optional>
#include <span>

class ISubsInfo {
public:
    // Size of one subpicture stream record of order 300.
    static constexpr size_t kTrackBytes = 16;

    virtual ~ISubsInfo() = default;
    virtual int32_t AddListener(void* userData, uint32_t tag, TPlayerEventCallback callback) = 0;

    // Deletes the streams; notifies unless silent.
    virtual void Clear(bool silent) = 0;
    virtual void AddTrack(std::span<const uint8_t, kTrackBytes> record) = 0;
    virtual int32_t GetCount() const = 0;
    virtual int32_t GetCurrent() const = 0;
    virtual bool IsShown() const = 0;
    // Stores the current stream and its shown flag and raises event 8; answers whether the user asked
    // for the change (and forgets that).
    virtual bool SetCurrent(int32_t index, bool shown) = 0;
    // Events 22 and 8.
    virtual void NotifyAll() = 0;
    // The language identifier (LCID) of a stream; nothing for an index out of range.
    virtual std::optional<uint32_t> GetTrackLanguage(int32_t index) const = 0;
    // Ask the core for a stream, or to show or hide the subpictures (order 121).
    virtual int32_t SelectStream(int32_t index) = 0;
    virtual int32_t ShowSubtitles(bool shown) = 0;
    virtual int32_t NextStream() = 0;
};
