#include "core/src/engine/TEngineTransport.h"

#include "core/include/VokradNotifications.h"
#include "core/include/VokradOrders.h"
#include "core/src/TCoreErrorTexts.h"
#include "core/src/framework/TCoreLogFile.h"
#include "platform/win/Timer.h"
#include "platform/win/Window.h"

#include <algorithm>
#include <cmath>

using plat::media::Failed;
using plat::media::FilterState;
using plat::media::Succeeded;
namespace win = plat::win;

namespace {

constexpr std::int64_t kUnitsPerMs = 10000; // media time is in 100 ns units
constexpr std::int64_t kFrameMs = 40;       // frames of a time code count 40 ms in media mode
constexpr std::uint32_t kEventTitle = 0;
constexpr std::uint32_t kEventPosition = 2;
constexpr std::uint32_t kEventDuration = 3;
constexpr std::uint32_t kEventNewMedia = 8;
constexpr std::uint32_t kMediaTimeFlags = 1;
constexpr std::uint32_t kNoTitleAndChapter = 0xFFFFFFFF;

} // namespace

TEngineTransport::TEngineTransport(TEngineContext& context, TEngineDvd& dvd, std::function<bool()> build,
                                   std::function<void()> release)
    : context_(context), dvd_(dvd), build_(std::move(build)), release_(std::move(release)) {}

bool TEngineTransport::WaitForState(FilterState state) {
    TMediaControl* control = context_.Control();
    return control == nullptr || TStateWait::WaitForState(*control, state, context_.now);
}

void TEngineTransport::Hide() {
    if (context_.window != 0) {
        win::ShowWindow(context_.window, win::SW_HIDE);
    }
}

bool TEngineTransport::Play() {
    if (context_.playState == TPlayState::NoGraph) {
        build_();
    }
    TMediaControl* control = context_.Control();
    if (control == nullptr || context_.playState == TPlayState::NoGraph) {
        TCoreLogFile::Instance().WriteNarrow("\nPLAY: Error building graph");
        Hide();
        return false;
    }
    if (Failed(control->Run())) {
        TCoreLogFile::Instance().WriteNarrow("\nPLAY : Unable to start playback");
        return false;
    }
    WaitForState(FilterState::Running);
    if (context_.playState == TPlayState::Scanning) {
        ApplyRate(1.0);
    }
    context_.ChangePlayState(TPlayState::Running);
    if (context_.DvdMode()) {
        dvd_.SendTitleLength();
    } else {
        std::int64_t duration = 0;
        if (context_.located.seeking && Succeeded(control->GetDuration(&duration))) {
            context_.RaiseEvent(kEventDuration, static_cast<std::uint32_t>(duration / kUnitsPerMs), 0);
        }
        context_.RaiseStatus(kStatusUserOperations, kMediaUserOperations, 0);
        context_.RaiseEvent(kEventTitle, 1, 1);
    }
    UpdatePositionClock();
    if (context_.window != 0) {
        win::SetWindowPos(context_.window, win::HWND_BOTTOM, 0, 0, 0, 0,
                          win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE);
    }
    // A media file's stream groups are left as they are: the streams are told only in DVD mode.
    dvd_.RefreshStreams(nullptr, nullptr, nullptr);
    return true;
}

bool TEngineTransport::TogglePause() {
    TMediaControl* control = context_.Control();
    if (control == nullptr) {
        return false;
    }
    switch (context_.playState) {
    case TPlayState::Paused:
        if (Failed(control->Run())) {
            return false;
        }
        context_.ChangePlayState(TPlayState::Running);
        return true;
    case TPlayState::Scanning:
        SetPlaybackRate(1.0);
        [[fallthrough]];
    case TPlayState::Running:
        if (Failed(control->Pause())) {
            return false;
        }
        context_.ChangePlayState(TPlayState::Paused);
        return true;
    default:
        return false;
    }
}

bool TEngineTransport::StopPlayback(bool keepGraph) {
    if (context_.window != 0) {
        win::KillTimer(context_.window, kPositionTimer);
    }
    if (TMediaControl* control = context_.Control()) {
        const bool stopped = Succeeded(control->Stop());
        Hide();
        if (!stopped) {
            // A graph that cannot stop (it failed while playing) is of no further use.
            if (!keepGraph) {
                release_();
            }
            return false;
        }
        if (!WaitForState(FilterState::Stopped)) {
            TCoreLogFile::Instance().WriteNarrow("\nSTOPPLAYBACK : The graph did not stop in time");
        }
        context_.ChangePlayState(TPlayState::Stopped);
    }
    if (!keepGraph) {
        release_();
    }
    return true;
}

bool TEngineTransport::SetPlaybackRate(double rate) {
    if (context_.playState == TPlayState::Paused) {
        TogglePause();
    }
    if (context_.playState != TPlayState::Running && context_.playState != TPlayState::Scanning) {
        return false;
    }
    if (!ApplyRate(rate)) {
        return false;
    }
    context_.ChangePlayState(TPlayState::Scanning);
    return true;
}

// A disc plays forwards or backwards at the rate's size; a media file always forwards.
bool TEngineTransport::ApplyRate(double rate) {
    if (context_.DvdMode()) {
        return dvd_.PlayAtRate(rate);
    }
    TMediaControl* control = context_.Control();
    if (control == nullptr || !context_.located.seeking) {
        context_.RaiseError(TCoreErrorTexts::kNoGraph, kNeedsRate, 0);
        return false;
    }
    return Succeeded(control->SetRate(std::fabs(rate)));
}

bool TEngineTransport::StepFrames(std::int32_t count) {
    TMediaControl* control = context_.Control();
    if (count < 0 || context_.playState == TPlayState::NoGraph || control == nullptr || !control->CanStep()) {
        return false;
    }
    control->Pause();
    context_.ChangePlayState(TPlayState::Paused);
    return Succeeded(control->Step());
}

std::int64_t TEngineTransport::TimeCodeToMs(std::uint32_t timeCode) {
    const std::int64_t hours = timeCode & 0xFF;
    const std::int64_t minutes = (timeCode >> 8) & 0xFF;
    const std::int64_t seconds = (timeCode >> 16) & 0xFF;
    const std::int64_t frames = (timeCode >> 24) & 0xFF;
    return hours * 3600000 + minutes * 60000 + seconds * 1000 + frames * kFrameMs;
}

std::uint32_t TEngineTransport::PackTimeCode(std::int64_t ms, bool withFrames) {
    const auto byte = [](std::int64_t value) { return static_cast<std::uint32_t>(value) & 0xFF; };
    const std::uint32_t frames = withFrames ? byte(ms % 1000 / kFrameMs) : 0;
    return byte(ms / 3600000) | byte(ms % 3600000 / 60000) << 8 | byte(ms % 60000 / 1000) << 16 |
           frames << 24;
}

bool TEngineTransport::SeekToTimeCode(std::uint32_t timeCode) {
    if (context_.playState == TPlayState::NoGraph) {
        return false;
    }
    context_.pendingSeek = TEngineContext::kNoPendingSeek;
    if (context_.DvdMode()) {
        return dvd_.PlayAtTime(timeCode);
    }
    TMediaControl* control = context_.Control();
    if (control == nullptr || !context_.located.seeking) {
        context_.RaiseError(TCoreErrorTexts::kNoGraph, kNeedsTime, 0);
        return false;
    }
    if (Failed(control->SetPosition(TimeCodeToMs(timeCode) * kUnitsPerMs))) {
        return false;
    }
    // The seek has settled on its frame: the new position is told now, not with the next period of the
    // position clock, which matters most while paused.
    PostPosition();
    return true;
}

// A burst of relative seeks accumulates into one seek, each step starting from the furthest target so
// far. A target before the start becomes the start.
bool TEngineTransport::SeekRelative(std::int32_t delta) {
    std::uint32_t position = 0;
    std::uint32_t flags = 0;
    if (context_.inDvdMenu || context_.playState == TPlayState::NoGraph ||
        !GetPosition(position, flags, nullptr)) {
        return false;
    }
    std::int64_t base = position;
    if (context_.pendingSeek > 0 && delta != 0) {
        base = delta > 0 ? std::max<std::int64_t>(base, context_.pendingSeek)
                         : std::min<std::int64_t>(base, context_.pendingSeek);
    }
    const std::int64_t target = std::clamp<std::int64_t>(base + delta, 0, INT32_MAX);
    context_.pendingSeek = static_cast<std::int32_t>(target);
    win::KillTimer(context_.window, kSeekTimer);
    win::SetTimer(context_.window, kSeekTimer, kSeekDebounceMs);
    return true;
}

void TEngineTransport::SeekToPending() {
    win::KillTimer(context_.window, kSeekTimer);
    if (context_.pendingSeek >= 0) {
        SeekToTimeCode(PackTimeCode(context_.pendingSeek, true));
    }
}

std::int32_t TEngineTransport::GetVolume() {
    TMediaControl* control = context_.Control();
    long volume = 0;
    if (control == nullptr || !context_.located.basicAudio || context_.playState == TPlayState::NoGraph ||
        Failed(control->GetVolume(&volume))) {
        return 0;
    }
    return static_cast<std::int32_t>(volume);
}

bool TEngineTransport::SetVolume(std::int32_t volume) {
    TMediaControl* control = context_.Control();
    return control != nullptr && context_.located.basicAudio && context_.playState != TPlayState::NoGraph &&
           Succeeded(control->SetVolume(volume));
}

// A position that cannot be read is reported as such, never as a time.
bool TEngineTransport::GetPosition(std::uint32_t& ms, std::uint32_t& flags, std::uint32_t* titleAndChapter) {
    if (context_.DvdMode()) {
        return dvd_.GetPosition(ms, flags, titleAndChapter);
    }
    TMediaControl* control = context_.Control();
    std::int64_t position = 0;
    if (control == nullptr || !context_.located.seeking || Failed(control->GetCurrentPosition(&position))) {
        return false;
    }
    ms = static_cast<std::uint32_t>(position / kUnitsPerMs);
    flags = kMediaTimeFlags;
    if (titleAndChapter != nullptr) {
        *titleAndChapter = kNoTitleAndChapter;
    }
    return true;
}

bool TEngineTransport::PostPosition() {
    std::uint32_t ms = 0;
    std::uint32_t flags = 0;
    if (!GetPosition(ms, flags, nullptr)) {
        return false;
    }
    context_.RaiseEvent(kEventPosition, ms, flags >> 16);
    return true;
}

std::uint32_t TEngineTransport::GetPlayState() {
    if (const std::optional<std::uint32_t> state = dvd_.PlayState()) {
        return *state;
    }
    switch (context_.playState) {
    case TPlayState::Paused:
        return kPlayStatePaused;
    case TPlayState::Running:
        if (context_.firstQuery) {
            context_.firstQuery = false;
            context_.RaiseEvent(kEventNewMedia, 0, 0);
            return kPlayStateFirstPlay;
        }
        return kPlayStatePlaying;
    case TPlayState::Scanning:
        return kPlayStateScanning;
    default:
        return kPlayStateStopped;
    }
}

void TEngineTransport::EndOfStream() {
    TMediaControl* control = context_.Control();
    if (control == nullptr) {
        return;
    }
    if (context_.window != 0) {
        win::KillTimer(context_.window, kPositionTimer);
    }
    control->Stop();
    WaitForState(FilterState::Stopped);
    context_.ChangePlayState(TPlayState::Stopped);
    context_.RaiseStatus(kStatusEndOfMedia, 0, 0);
}

// The position clock is quiet while paused, so the stepped position is told here.
void TEngineTransport::StepComplete() {
    PostPosition();
    context_.RaiseStatus(kStatusFrameStepped, 0, 0);
}

void TEngineTransport::UpdatePositionClock() {
    if (context_.window == 0) {
        return;
    }
    if (context_.located.seeking && context_.playState != TPlayState::NoGraph) {
        win::SetTimer(context_.window, kPositionTimer, kPositionPeriodMs);
    } else {
        win::KillTimer(context_.window, kPositionTimer);
    }
}
