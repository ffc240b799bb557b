#include "core/src/engine/TEngineDvdEvents.h"

#include "core/include/VokradNotifications.h"
#include "core/src/TCoreErrorTexts.h"
#include "platform/dvd/DvdNavigator.h"

#include <cctype>
#include <string>

using plat::dvd::DvdDomain;
using plat::media::Succeeded;

namespace {

constexpr long kFirstDvdEvent = plat::dvd::EC_DVD_DOMAIN_CHANGE;
constexpr long kLastDvdEvent = plat::dvd::EC_DVD_CURRENT_HMSF_TIME;
constexpr std::uint32_t kEventTitle = 0;
constexpr std::uint32_t kEventChapter = 1;
constexpr std::uint32_t kEventPosition = 2;
constexpr std::uint32_t kLastDvdError = 8;
// The directory is read as a fixed-size text of at most this many characters.
constexpr std::size_t kMaxPath = 260;

} // namespace

bool TEngineDvdEvents::IsDvdEvent(long code) {
    return code >= kFirstDvdEvent && code <= kLastDvdEvent;
}

void TEngineDvdEvents::Handle(const plat::media::GraphEvent& event) {
    const auto first = static_cast<std::uint32_t>(event.param1);
    const auto second = static_cast<std::uint32_t>(event.param2);
    switch (event.code) {
    case plat::dvd::EC_DVD_DOMAIN_CHANGE:
        DomainChanged(first);
        break;
    case plat::dvd::EC_DVD_TITLE_CHANGE:
        context_.RaiseEvent(kEventTitle, first, 1);
        dvd_.SendTitleLength();
        context_.RaiseStatus(kStatusDomainChanged, 0, 0);
        break;
    case plat::dvd::EC_DVD_CHAPTER_START:
        context_.RaiseEvent(kEventChapter, first, 1);
        dvd_.SendTitleLength();
        break;
    case plat::dvd::EC_DVD_AUDIO_STREAM_CHANGE:
    case plat::dvd::EC_DVD_SUBPICTURE_STREAM_CHANGE:
        dvd_.RefreshStreams(nullptr, nullptr, nullptr);
        break;
    case plat::dvd::EC_DVD_VALID_UOPS_CHANGE: {
        std::uint32_t prohibited = 0;
        if (context_.DvdMode() && Succeeded(context_.dvd->GetCurrentUOPS(&prohibited))) {
            context_.RaiseStatus(kStatusUserOperations, prohibited, 0);
        }
        break;
    }
    case plat::dvd::EC_DVD_ERROR:
        if (first >= 1 && first <= kLastDvdError) {
            context_.RaiseError(TCoreErrorTexts::kDvdPlayback, first, 0);
        }
        break;
    case plat::dvd::EC_DVD_CURRENT_HMSF_TIME:
        context_.RaiseEvent(kEventPosition, first, second);
        break;
    default:
        break;
    }
}

void TEngineDvdEvents::DomainChanged(std::uint32_t domain) {
    dvd_.SendTitleLength();
    // Our navigator may have left the first-play domain before it reports a domain: the disc is then
    // announced with the first domain it reports.
    if (static_cast<DvdDomain>(domain) == DvdDomain::FirstPlay || !context_.dvdDiscAnnounced) {
        context_.dvdDiscAnnounced = true;
        ReportDrive();
        dvd_.PostDiscId();
    }
    switch (static_cast<DvdDomain>(domain)) {
    case DvdDomain::FirstPlay:
        break;
    case DvdDomain::VideoManagerMenu:
    case DvdDomain::VideoTitleSetMenu:
        context_.inDvdMenu = true;
        break;
    case DvdDomain::Title: {
        context_.inDvdMenu = false;
        plat::dvd::DvdLocation location;
        if (context_.DvdMode() && Succeeded(context_.dvd->GetCurrentLocation(&location))) {
            context_.RaiseEvent(kEventTitle, location.title, 1);
            context_.RaiseEvent(kEventChapter, location.chapter, 1);
        }
        break;
    }
    case DvdDomain::Stop:
        break;
    }
    if (domain >= static_cast<std::uint32_t>(DvdDomain::FirstPlay) &&
        domain <= static_cast<std::uint32_t>(DvdDomain::Stop)) {
        context_.ChangePlayState(context_.playState);
    }
    context_.RaiseStatus(kStatusDomainChanged, 0, 0);
}

// Discs are folders or images here: only a directory that starts with a drive letter names a drive.
void TEngineDvdEvents::ReportDrive() {
    std::string directory;
    if (!context_.DvdMode() || !Succeeded(context_.dvd->GetDvdDirectory(&directory)) || directory.empty()) {
        return;
    }
    directory.resize(std::min(directory.size(), kMaxPath));
    const unsigned char letter =
        static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(directory[0])));
    if (directory.size() >= 2 && directory[1] == ':' && letter >= 'A' && letter <= 'Z') {
        context_.RaiseStatus(kStatusDrive, letter - 'A', 0);
        dvd_.SendTitleLength();
    }
}
