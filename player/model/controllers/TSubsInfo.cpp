#include "player/model/controllers/TSubsInfo.h"

#include "player/model/binding/PlayerGlobals.h"
#include "player/model/events/PlayerEvents.h"

#include <cstring>
#include <utility>

namespace {

// The language identifier's place in a stream record.
constexpr size_t kLanguageOffset = 8;
// Order 121's stream and display values that leave the core's choice as it is.
constexpr uint32_t kStreamUnchanged = 0xFFFFFFFF;
constexpr uint8_t kDisplayUnchanged = 255;

} // namespace

TSubsInfo::TSubsInfo(TPlayerObjects& hub) : TPlayerObjects(&hub) {}

int32_t TSubsInfo::AddListener(void* userData, uint32_t tag, TPlayerEventCallback callback) {
    return TCallbackFunction::Register(&listeners_, userData, tag, callback);
}

void TSubsInfo::Clear(bool silent) {
    tracks_.clear();
    current_ = -1;
    asked_ = false;
    shown_ = false;
    if (!silent) {
        NotifyAll();
    }
}

void TSubsInfo::AddTrack(std::span<const uint8_t, kTrackBytes> record) {
    TSubsTrack& track = tracks_.emplace_back();
    std::copy(record.begin(), record.end(), track.begin());
}

const TSubsInfo::TSubsTrack* TSubsInfo::GetTrack(int32_t index) const {
    return index >= 0 && index < GetCount() ? &tracks_[static_cast<size_t>(index)] : nullptr;
}

std::optional<uint32_t> TSubsInfo::GetTrackLanguage(int32_t index) const {
    const TSubsTrack* track = GetTrack(index);
    if (track == nullptr) {
        return std::nullopt;
    }
    uint32_t language;
    std::memcpy(&language, track->data() + kLanguageOffset, sizeof(language));
    return language;
}

bool TSubsInfo::SetCurrent(int32_t index, bool shown) {
    current_ = index;
    shown_ = shown;
    TCallbackFunction::Broadcast(&listeners_, kEventSubpictureStream, index, shown ? 1 : 0, 0);
    return std::exchange(asked_, false);
}

void TSubsInfo::NotifyAll() {
    TCallbackFunction::Broadcast(&listeners_, kEventSubpictureStreams, 0, 0, 0);
    TCallbackFunction::Broadcast(&listeners_, kEventSubpictureStream, current_, shown_ ? 1 : 0, 0);
}

int32_t TSubsInfo::SendSelection(uint32_t stream, uint8_t display) {
    asked_ = true;
    TOrderStreams record{};
    record.subpicture = stream;
    record.subpictureShown = display;
    return SendRecord(kOrderSubpictureStream, record);
}

int32_t TSubsInfo::SelectStream(int32_t index) {
    if (index < 0 || index >= GetCount()) {
        ReportError(0, u"::SUB::SET:: Invalid subtitle stream");
        return -1;
    }
    current_ = index;
    return SendSelection(static_cast<uint32_t>(index), kDisplayUnchanged);
}

int32_t TSubsInfo::ShowSubtitles(bool shown) {
    shown_ = shown;
    return SendSelection(kStreamUnchanged, shown ? 1 : 0);
}

int32_t TSubsInfo::NextStream() {
    return SelectStream(current_ + 1 >= GetCount() ? 0 : current_ + 1);
}
