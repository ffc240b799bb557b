#pragma once
// The DVD subpicture streams of the current title, the selection and the display switch asked of the
// core.
#include "player/model/controllers/ISubsInfo.h"
#include "player/model/hub/TPlayerObjects.h"

#include <array>
#include <vector>

class TSubsInfo : public TPlayerObjects, public ISubsInfo {
public:
    using TSubsTrack = std::array<uint8_t, kTrackBytes>;

    explicit TSubsInfo(TPlayerObjects& hub);

    int32_t AddListener(void* userData, uint32_t tag, TPlayerEventCallback callback) override;
    void Clear(bool silent) override;
    void AddTrack(std::span<const uint8_t, kTrackBytes> record) override;
    int32_t GetCount() const override { return static_cast<int32_t>(tracks_.size()); }
    int32_t GetCurrent() const override { return current_; }
    bool IsShown() const override { return shown_; }
    bool SetCurrent(int32_t index, bool shown) override;
    void NotifyAll() override;
    std::optional<uint32_t> GetTrackLanguage(int32_t index) const override;
    int32_t SelectStream(int32_t index) override;
    int32_t ShowSubtitles(bool shown) override;
    int32_t NextStream() override;

    // The stream record at a 0-based index; nullptr out of range.
    const TSubsTrack* GetTrack(int32_t index) const;

private:
    int32_t SendSelection(uint32_t stream, uint8_t display);

    std::vector<TSubsTrack> tracks_;
    TPointer<TCallbackFunction> listeners_;
    int32_t current_ = -1;
    bool shown_ = false;
    bool asked_ = false;
};
