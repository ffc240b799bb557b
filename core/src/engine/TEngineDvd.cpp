#include "core/src/engine/TEngineDvd.h"

#include "core/include/VokradNotifications.h"
#include "core/include/VokradOrders.h"
#include "core/src/TCoreErrorTexts.h"
#include "core/src/TEventTime.h"
#include "platform/dvd/DvdNavigator.h"
#include "platform/win/Window.h"

#include <cmath>

using plat::dvd::DvdDomain;
using plat::dvd::DvdMenuId;
using plat::dvd::DvdTimeCode;
using plat::media::Failed;
using plat::media::HResult;
using plat::media::Succeeded;

namespace {

constexpr std::uint32_t kEventDuration = 3;
constexpr std::uint32_t kEventDiscId = 8;
constexpr std::uint8_t kKeepState = 255;
constexpr std::uint32_t kShownBit = 1u << 16;
// DVD pictures are 720 pixels wide; their height is the frame height of the current video.
constexpr int kPictureWidth = 720;
constexpr int kNtscHeight = 480;

enum : std::uint8_t { kUp = 0, kDown = 1, kLeft = 2, kRight = 3, kActivate = 4 };

DvdMenuId MenuOf(std::uint8_t menu) {
    return menu >= static_cast<std::uint8_t>(DvdMenuId::Title) &&
                   menu <= static_cast<std::uint8_t>(DvdMenuId::Chapter)
               ? static_cast<DvdMenuId>(menu)
               : DvdMenuId::Title;
}

// The window shows the whole picture stretched over its client area: a window point maps to the
// picture point under it.
std::pair<int, int> PicturePoint(plat::win::HWND window, plat::dvd::DvdNavigator& dvd, int x, int y) {
    plat::win::RECT client{};
    if (window == 0 || !plat::win::GetClientRect(window, &client) || client.right <= 0 ||
        client.bottom <= 0) {
        return {x, y};
    }
    plat::dvd::DvdVideoAttributes video{};
    const int height = Succeeded(dvd.GetCurrentVideoAttributes(&video)) && video.frameHeight > 0
                           ? static_cast<int>(video.frameHeight)
                           : kNtscHeight;
    return {static_cast<int>(static_cast<long long>(x) * kPictureWidth / client.right),
            static_cast<int>(static_cast<long long>(y) * height / client.bottom)};
}

} // namespace

bool TEngineDvd::Ready(std::uint32_t subCode) {
    if (!context_.DvdMode()) {
        if (subCode != 0) {
            context_.RaiseError(TCoreErrorTexts::kNoGraph, subCode, 0);
        }
        return false;
    }
    return true;
}

bool TEngineDvd::OpenMenu(std::uint8_t menu) {
    context_.pendingSeek = TEngineContext::kNoPendingSeek;
    return Ready(kNeedsMenu) && Succeeded(context_.dvd->ShowMenu(MenuOf(menu)));
}

bool TEngineDvd::NavigateButton(std::uint8_t action) {
    if (!context_.DvdMode() || !context_.inDvdMenu) {
        return false;
    }
    plat::dvd::DvdNavigator& dvd = *context_.dvd;
    switch (action) {
    case kUp:
        return Succeeded(dvd.SelectRelativeButton(plat::dvd::DvdRelativeButton::Upper));
    case kDown:
        return Succeeded(dvd.SelectRelativeButton(plat::dvd::DvdRelativeButton::Lower));
    case kLeft:
        return Succeeded(dvd.SelectRelativeButton(plat::dvd::DvdRelativeButton::Left));
    case kRight:
        return Succeeded(dvd.SelectRelativeButton(plat::dvd::DvdRelativeButton::Right));
    case kActivate:
        return Succeeded(dvd.ActivateButton());
    default:
        return true;
    }
}

void TEngineDvd::SelectButtonAt(int x, int y) {
    if (context_.DvdMode()) {
        const auto [px, py] = PicturePoint(context_.window, *context_.dvd, x, y);
        context_.dvd->SelectAtPosition(px, py);
    }
}

void TEngineDvd::ActivateButtonAt(int x, int y) {
    if (context_.DvdMode()) {
        const auto [px, py] = PicturePoint(context_.window, *context_.dvd, x, y);
        context_.dvd->ActivateAtPosition(px, py);
    }
}

bool TEngineDvd::PlayTitleChapter(std::uint32_t title, std::uint32_t chapter) {
    if (!Ready(kNeedsTitle)) {
        return false;
    }
    context_.pendingSeek = TEngineContext::kNoPendingSeek;
    const HResult hr =
        chapter != 0 ? context_.dvd->PlayChapterInTitle(title, chapter) : context_.dvd->PlayTitle(title);
    return Succeeded(hr);
}

bool TEngineDvd::PlayAdjacentChapter(int direction) {
    context_.pendingSeek = TEngineContext::kNoPendingSeek;
    if (!Ready(kNeedsChapter) || context_.inDvdMenu) {
        return false;
    }
    return Succeeded(direction == -1 ? context_.dvd->PlayPrevChapter() : context_.dvd->PlayNextChapter());
}

bool TEngineDvd::PlayAtTimeInTitle(std::uint8_t title, std::uint32_t timeCode) {
    context_.pendingSeek = TEngineContext::kNoPendingSeek;
    if (!Ready(kNeedsTimeInTitle)) {
        return false;
    }
    std::uint32_t target = title;
    if (target == 0) {
        std::uint32_t ms = 0;
        std::uint32_t flags = 0;
        std::uint32_t location = 0;
        if (!GetPosition(ms, flags, &location)) {
            return false;
        }
        target = location & 0xFFFF;
    }
    return Succeeded(context_.dvd->PlayAtTimeInTitle(target, DvdTimeCode::FromPacked(timeCode)));
}

bool TEngineDvd::PlayAtTime(std::uint32_t timeCode) {
    return Ready(kNeedsTimeInTitle) && Succeeded(context_.dvd->PlayAtTime(DvdTimeCode::FromPacked(timeCode)));
}

bool TEngineDvd::SelectAudio(std::uint32_t stream) {
    if (!Ready(0) || Failed(context_.dvd->SelectAudioStream(stream))) {
        return false;
    }
    RefreshStreams(nullptr, nullptr, nullptr);
    return true;
}

bool TEngineDvd::SelectSubpicture(std::uint32_t stream, std::uint8_t state) {
    if (!Ready(0)) {
        return false;
    }
    if (static_cast<std::int32_t>(stream) > -1 && Failed(context_.dvd->SelectSubpictureStream(stream))) {
        return false;
    }
    if (state != kKeepState && Failed(context_.dvd->SetSubpictureState(state != 0))) {
        return false;
    }
    RefreshStreams(nullptr, nullptr, nullptr);
    return true;
}

bool TEngineDvd::ChooseAngle(std::uint32_t angle) {
    if (!Ready(0) || Failed(context_.dvd->SelectAngle(angle))) {
        return false;
    }
    RefreshStreams(nullptr, nullptr, nullptr);
    return true;
}

bool TEngineDvd::PlayAtRate(double rate) {
    if (!context_.DvdMode()) {
        return false;
    }
    const double speed = std::fabs(rate);
    return Succeeded(rate >= 0 ? context_.dvd->PlayForwards(speed) : context_.dvd->PlayBackwards(speed));
}

bool TEngineDvd::SetDisplayMode(std::uint32_t mode) {
    constexpr std::uint32_t kLastMode = 3;
    if (mode > kLastMode || !Ready(0)) {
        return false;
    }
    return Succeeded(
        context_.dvd->SelectVideoModePreference(static_cast<plat::dvd::DvdVideoPreference>(mode)));
}

// Media mode reports nothing and leaves the graph's streams alone.
void TEngineDvd::RefreshStreams(std::uint32_t* audio, std::uint32_t* subpicture, std::uint32_t* angle) {
    if (!context_.DvdMode()) {
        return;
    }
    plat::dvd::DvdNavigator& dvd = *context_.dvd;
    std::uint32_t available = 0;
    std::uint32_t current = 0;
    if (Succeeded(dvd.GetCurrentAudio(&available, &current))) {
        if (audio != nullptr) {
            *audio = current;
        } else {
            context_.RaiseStatus(kStatusAudioStream, 2, current & 0xFFFF);
        }
    }
    bool disabled = false;
    if (Succeeded(dvd.GetCurrentSubpicture(&available, &current, &disabled))) {
        const std::uint32_t value = (disabled ? 0 : kShownBit) | (current & 0xFFFF);
        if (subpicture != nullptr) {
            *subpicture = value;
        } else {
            context_.RaiseStatus(kStatusSubpicture, 2, value);
        }
    }
    if (Succeeded(dvd.GetCurrentAngle(&available, &current))) {
        if (angle != nullptr) {
            *angle = current;
        } else {
            context_.RaiseStatus(kStatusAngle, 0, (available << 16) | (current & 0xFFFF));
        }
    }
}

// Only a plain success counts: a positive result is a failure here.
bool TEngineDvd::ReadTitleAttributes(std::uint32_t title, plat::dvd::DvdMenuAttributes* menu,
                                     plat::dvd::DvdTitleAttributes* attributes) {
    return context_.DvdMode() &&
           context_.dvd->GetTitleAttributes(title, menu, attributes) == plat::media::S_OK;
}

std::vector<std::uint32_t> TEngineDvd::GetChapterCounts() {
    std::uint32_t volumes = 0;
    std::uint32_t volume = 0;
    std::uint32_t side = 0;
    std::uint32_t titles = 0;
    if (!context_.DvdMode() || Failed(context_.dvd->GetDvdVolumeInfo(&volumes, &volume, &side, &titles))) {
        return {};
    }
    plat::dvd::DvdNavigator& dvd = *context_.dvd;
    return ChapterTable(titles, [&dvd](std::uint32_t title, std::uint32_t* chapters) {
        return dvd.GetNumberOfChapters(title, chapters);
    });
}

std::vector<std::uint32_t> TEngineDvd::ChapterTable(std::uint32_t titles, const TChapterCounter& count) {
    std::vector<std::uint32_t> table(titles, 0);
    for (std::uint32_t i = 0; i < titles; ++i) {
        std::uint32_t chapters = 0;
        if (Succeeded(count(i + 1, &chapters))) {
            table[i] = chapters;
        }
    }
    return table;
}

bool TEngineDvd::PostDiscId() {
    if (!context_.DvdMode()) {
        context_.RaiseEvent(kEventDiscId, 0, 0);
        return false;
    }
    std::uint64_t id = 0;
    if (Failed(context_.dvd->GetDiscId(std::string(), &id))) {
        return false;
    }
    context_.RaiseEvent(kEventDiscId, static_cast<std::uint32_t>(id >> 32), static_cast<std::uint32_t>(id));
    return true;
}

void TEngineDvd::SendTitleLength() {
    DvdTimeCode length;
    std::uint32_t flags = 0;
    if (context_.DvdMode() && Succeeded(context_.dvd->GetTotalTitleTime(&length, &flags))) {
        context_.RaiseEvent(kEventDuration, TEventTime::TimeCodeMs(length.Packed(), flags), flags);
    }
}

bool TEngineDvd::GetPosition(std::uint32_t& ms, std::uint32_t& flags, std::uint32_t* titleAndChapter) {
    plat::dvd::DvdLocation location;
    if (!context_.DvdMode() || Failed(context_.dvd->GetCurrentLocation(&location))) {
        return false;
    }
    ms = TEventTime::TimeCodeMs(location.time.Packed(), location.timeCodeFlags);
    flags = location.timeCodeFlags;
    if (titleAndChapter != nullptr) {
        *titleAndChapter = (location.chapter << 16) | (location.title & 0xFFFF);
    }
    return true;
}

std::optional<std::uint32_t> TEngineDvd::PlayState() {
    if (!context_.DvdMode()) {
        return std::nullopt;
    }
    DvdDomain domain = DvdDomain::Stop;
    if (Failed(context_.dvd->GetCurrentDomain(&domain))) {
        return kPlayStateStopped;
    }
    switch (domain) {
    case DvdDomain::FirstPlay:
        return kPlayStateFirstPlay;
    case DvdDomain::VideoManagerMenu:
    case DvdDomain::VideoTitleSetMenu:
    case DvdDomain::Title:
        switch (context_.playState) {
        case TPlayState::Paused:
            return kPlayStatePaused;
        case TPlayState::Running:
            return kPlayStatePlaying;
        case TPlayState::Scanning:
            return kPlayStateScanning;
        default:
            return kPlayStateStopped;
        }
    case DvdDomain::Stop:
        return kPlayStateStopped;
    }
    return std::nullopt;
}
