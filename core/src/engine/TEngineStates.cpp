#include "core/src/engine/TEngineStates.h"

#include "core/include/VokradNotifications.h"
#include "core/src/engine/TEngineContext.h"
#include "core/src/engine/TEngineTransport.h"
#include "core/src/engine/TMediaControl.h"
#include "core/src/state/TMediaStateRecord.h"
#include "core/src/state/TStateStorage.h"
#include "platform/dvd/DvdNavigator.h"
#include "platform/dvd/DvdStateRecord.h"
#include "platform/text/CodePage.h"

#include <algorithm>
#include <chrono>
#include <optional>

using plat::media::Succeeded;

namespace {

constexpr std::int64_t kUnitsPerMs = 10000; // media time is in 100 ns units

std::span<const std::uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

template <class Container> std::string Text(const Container& bytes) {
    return {bytes.begin(), bytes.end()};
}

} // namespace

bool TEngineStates::CaptureState(std::string& record) {
    if (context_.DvdMode()) {
        plat::dvd::DvdDomain domain{};
        plat::dvd::DvdState state;
        if (!Succeeded(context_.dvd->GetCurrentDomain(&domain)) || domain != plat::dvd::DvdDomain::Title ||
            !Succeeded(context_.dvd->GetState(&state))) {
            return false;
        }
        record = Text(plat::dvd::DvdStateRecord::Encode(state));
        return true;
    }
    std::uint32_t ms = 0;
    std::uint32_t flags = 0;
    if (!transport_.GetPosition(ms, flags, nullptr)) {
        return false;
    }
    record = Text(TMediaStateRecord::Encode(ms));
    return true;
}

bool TEngineStates::SaveState(const std::u16string& file, const std::u16string& stream) {
    std::string record;
    return CaptureState(record) && TStateStorage::WriteState(file, stream, record);
}

bool TEngineStates::LoadState(const std::u16string& file, const std::u16string& stream) {
    const std::optional<std::string> record = TStateStorage::ReadState(file, stream);
    if (!record) {
        return false;
    }
    return context_.DvdMode() ? ApplyDvdState(Bytes(*record)) : ApplyMediaState(Bytes(*record));
}

bool TEngineStates::DeleteState(const std::u16string& file, const std::u16string& stream) {
    return TStateStorage::DeleteState(file, stream);
}

// Both texts are converted whole and then cut, so that a cut never splits a character's bytes.
bool TEngineStates::CallWide(WideOperation operation, const char* file, const char* stream) {
    if (file == nullptr || stream == nullptr) {
        return false;
    }
    std::u16string wideFile = plat::text::AnsiToWide(file);
    std::u16string wideStream = plat::text::AnsiToWide(stream);
    wideFile.resize(std::min(wideFile.size(), kMaxNameCharacters));
    wideStream.resize(std::min(wideStream.size(), kMaxNameCharacters));
    return (this->*operation)(wideFile, wideStream);
}

bool TEngineStates::SaveStateA(const char* file, const char* stream) {
    return CallWide(&TEngineStates::SaveState, file, stream);
}

bool TEngineStates::LoadStateA(const char* file, const char* stream) {
    return CallWide(&TEngineStates::LoadState, file, stream);
}

bool TEngineStates::DeleteStateA(const char* file, const char* stream) {
    return CallWide(&TEngineStates::DeleteState, file, stream);
}

bool TEngineStates::ApplyDvdState(std::span<const std::uint8_t> record) {
    const std::optional<plat::dvd::DvdState> state = plat::dvd::DvdStateRecord::Decode(record);
    if (!state) {
        return false;
    }
    if (context_.playState != TPlayState::Running) {
        transport_.Play();
    }
    const bool restored =
        Succeeded(context_.dvd->SetState(*state, std::chrono::milliseconds(kRestoreWaitMs)));
    context_.pendingSeek = TEngineContext::kNoPendingSeek;
    context_.RaiseStatus(kStatusPlayState, 0, 0);
    return restored;
}

bool TEngineStates::ApplyMediaState(std::span<const std::uint8_t> record) {
    const std::optional<std::uint32_t> ms = TMediaStateRecord::Decode(record);
    if (!ms) {
        return false;
    }
    // A stopped engine may hold no graph: playing builds it.
    if (context_.playState != TPlayState::Running) {
        transport_.Play();
    }
    TMediaControl* control = context_.Control();
    return control != nullptr && context_.located.seeking &&
           Succeeded(control->SetPosition(static_cast<std::int64_t>(*ms) * kUnitsPerMs));
}
