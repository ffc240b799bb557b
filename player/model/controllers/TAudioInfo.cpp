#include "player/model/controllers/TAudioInfo.h"

#include "platform/text/Format.h"
#include "player/model/binding/PlayerGlobals.h"
#include "player/model/controllers/IOSDControl.h"
#include "player/model/events/PlayerEvents.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// The language identifier's place in a stream record.
constexpr size_t kLanguageOffset = 12;

} // namespace

int32_t TAudioInfo::VolumeToAttenuation(int32_t volume) {
    return volume == 0 ? kSilentAttenuation : 25 * volume - 2500;
}

int32_t TAudioInfo::AttenuationToVolume(int32_t attenuation) {
    if (attenuation == kSilentAttenuation) {
        return 0;
    }
    return std::clamp(attenuation * 4 / 100 + 100, 0, 100);
}

TAudioInfo::TAudioInfo(TPlayerObjects& hub) : TPlayerObjects(&hub) {}

int32_t TAudioInfo::AddListener(void* userData, uint32_t tag, TPlayerEventCallback callback) {
    return TCallbackFunction::Register(&listeners_, userData, tag, callback);
}

void TAudioInfo::Notify(uint32_t event, intptr_t a, intptr_t b) {
    TCallbackFunction::Broadcast(&listeners_, event, a, b, 0);
}

void TAudioInfo::ShowOsd(const char16_t* command) {
    if (osd_ != nullptr) {
        osd_->ShowCommand(command);
    }
}

void TAudioInfo::Clear(bool silent) {
    current_ = -1;
    asked_ = false;
    tracks_.clear();
    if (!silent) {
        NotifyAll();
    }
}

void TAudioInfo::AddTrack(std::span<const uint8_t, kTrackBytes> record) {
    TAudioTrack& track = tracks_.emplace_back();
    std::copy(record.begin(), record.end(), track.begin());
}

const TAudioInfo::TAudioTrack* TAudioInfo::GetTrack(int32_t index) const {
    return index >= 0 && index < GetCount() ? &tracks_[static_cast<size_t>(index)] : nullptr;
}

std::optional<uint32_t> TAudioInfo::GetTrackLanguage(int32_t index) const {
    const TAudioTrack* track = GetTrack(index);
    if (track == nullptr) {
        return std::nullopt;
    }
    uint32_t language;
    std::memcpy(&language, track->data() + kLanguageOffset, sizeof(language));
    return language;
}

bool TAudioInfo::SetCurrent(int32_t index) {
    current_ = index;
    Notify(kEventAudioStream, index);
    return std::exchange(asked_, false);
}

void TAudioInfo::NotifyAll() {
    Notify(kEventAudioStreams, 0);
    Notify(kEventAudioStream, current_);
}

int32_t TAudioInfo::SelectStream(int32_t index) {
    if (index < 0 || index >= GetCount()) {
        ReportError(0, u"::AUD::SET:: Invalid Audio stream");
        return -1;
    }
    asked_ = true;
    TOrderStreams record{};
    record.audio = static_cast<uint32_t>(index);
    return SendRecord(kOrderAudioStream, record);
}

int32_t TAudioInfo::NextStream() {
    const int32_t next = current_ + 1 >= GetCount() ? 0 : current_ + 1;
    return SelectStream(next);
}

int32_t TAudioInfo::SetVolume(int32_t volume, bool silent) {
    volume_ = std::clamp(volume, 0, 100);
    if (osd_ != nullptr) {
        osd_->SetVariable(u"AudioVolume", plat::text::Format(u"%d", volume_).c_str());
    }
    if (!silent) {
        ShowOsd(u"Osd_Volume");
    }
    Notify(kEventVolume, volume_);
    TOrderVolume record{};
    record.volume = VolumeToAttenuation(volume_);
    record.set = 1;
    return SendRecord(kOrderVolume, record);
}

int32_t TAudioInfo::ChangeVolume(int32_t step) {
    const int64_t wanted = int64_t{volume_} + step;
    return SetVolume(static_cast<int32_t>(std::clamp<int64_t>(wanted, 0, 100)), false);
}

int32_t TAudioInfo::GetVolume() {
    TOrderVolume record{};
    return SendRecord(kOrderVolume, record) == 0 ? AttenuationToVolume(record.volume) : 0;
}

int32_t TAudioInfo::Mute(int32_t argument) {
    const bool soundOn = argument > 0 || (argument < 0 && muted_);
    if (soundOn) {
        SetVolume(volume_, false);
        muted_ = false;
        return 0;
    }
    const int32_t kept = volume_;
    SetVolume(0, true);
    volume_ = kept;
    ShowOsd(u"Osd_Mute");
    muted_ = true;
    return 0;
}
