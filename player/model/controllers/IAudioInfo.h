#pragma once
// The audio controller as the hub, the windows and the command scripts use it: the audio streams the
// core reported, the selection with its asked-flag handshake, the volume and mute.
#include "player/model/events/TCallbackFunction.h"

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
    virtual int32_t AddListener(void* userData, uint32_t tag, TPlayerEventCallback callback) = 0;

    // Deletes the streams; notifies unless silent.
    virtual void Clear(bool silent) = 0;
    virtual void AddTrack(std::span<const uint8_t, kTrackBytes> record) = 0;
    virtual int32_t GetCount() const = 0;
    virtual int32_t GetCurrent() const = 0;
    // Stores the current stream and raises event 7; answers whether the user asked for the change
    // (and forgets that).
    virtual bool SetCurrent(int32_t index) = 0;
    // Events 21 and 7.
    virtual void NotifyAll() = 0;
    // The language identifier (LCID) of a stream; nothing for an index out of range.
    virtual std::optional<uint32_t> GetTrackLanguage(int32_t index) const = 0;
    // Asks the core for a stream (order 120); -1 for an index that is not a stream.
    virtual int32_t SelectStream(int32_t index) = 0;
    virtual int32_t NextStream() = 0;

    // Volume 0-100 (values outside are clamped), sent as an attenuation; the core's answer.
    virtual int32_t SetVolume(int32_t volume, bool silent) = 0;
    virtual int32_t ChangeVolume(int32_t step) = 0;
    // The volume of the attenuation the core reports, 0 when it cannot.
    virtual int32_t GetVolume() = 0;
    // Positive switches the sound on, 0 off, negative toggles.
    virtual int32_t Mute(int32_t argument) = 0;
    virtual bool IsMuted() const = 0;
};
