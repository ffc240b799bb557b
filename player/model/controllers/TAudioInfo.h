#pragma once
// The audio streams of the current title, the selection asked of the core, the volume (0-100, sent to
// the core as an attenuation in hundredths of a decibel) and mute.
#include "player/model/controllers/IAudioInfo.h"
#include "player/model/hub/TPlayerObjects.h"

#include <array>
#include <vector>

class TAudioInfo : public TPlayerObjects, public IAudioInfo {
public:
    using TAudioTrack = std::array<uint8_t, kTrackBytes>;
    static constexpr int32_t kSilentAttenuation = -10000;

    static int32_t VolumeToAttenuation(int32_t volume);
    // Attenuations the mapping does not reach give the nearest volume of 0-100.
    static int32_t AttenuationToVolume(int32_t attenuation);

    explicit TAudioInfo(TPlayerObjects& hub);

    void SetOSDControl(IOSDControl* osd) override { osd_ = osd; }
    int32_t AddListener(void* userData, uint32_t tag, TPlayerEventCallback callback) override;
    void Clear(bool silent) override;
    void AddTrack(std::span<const uint8_t, kTrackBytes> record) override;
    int32_t GetCount() const override { return static_cast<int32_t>(tracks_.size()); }
    int32_t GetCurrent() const override { return current_; }
    bool SetCurrent(int32_t index) override;
    void NotifyAll() override;
    std::optional<uint32_t> GetTrackLanguage(int32_t index) const override;
    int32_t SelectStream(int32_t index) override;
    int32_t NextStream() override;
    int32_t SetVolume(int32_t volume, bool silent) override;
    int32_t ChangeVolume(int32_t step) override;
    int32_t GetVolume() override;
    int32_t Mute(int32_t argument) override;
    bool IsMuted() const override { return muted_; }

    // The stream record at a 0-based index; nullptr out of range.
    const TAudioTrack* GetTrack(int32_t index) const;
    // The volume kept (restored when the sound comes back on).
    int32_t KeptVolume() const { return volume_; }

private:
    void Notify(uint32_t event, intptr_t a, intptr_t b = 0);
    void ShowOsd(const char16_t* command);

    IOSDControl* osd_ = nullptr;
    std::vector<TAudioTrack> tracks_;
    TPointer<TCallbackFunction> listeners_;
    int32_t current_ = -1;
    bool muted_ = false;
    int32_t volume_ = 100;
    bool asked_ = false;
};
