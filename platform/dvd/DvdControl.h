#pragma once
// The control and information interface of the DVD navigator as the engine calls it, so that the
// engine can be tested with a navigator of its own making. Results: S_OK, E_INVALIDARG for values the
// disc does not have, VFW_E_DVD_OPERATION_INHIBITED for operations the disc prohibits,
// VFW_E_DVD_INVALIDDOMAIN or VFW_E_DVD_NO_BUTTON for operations the current place does not allow,
// VFW_E_DVD_GRAPHNOTREADY without a disc, E_FAIL when libdvdnav refuses.
#include "platform/dvd/DvdAttributes.h"
#include "platform/dvd/DvdState.h"
#include "platform/dvd/DvdTypes.h"
#include "platform/media/GraphEvent.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace plat::dvd {

// Called on the navigator's thread (and on the thread of a button command); the engine queues the
// events and drains them on its own thread.
using DvdEventListener = std::function<void(const media::GraphEvent&)>;

class DvdControl {
public:
    virtual ~DvdControl() = default;

    virtual void SetEventListener(DvdEventListener listener) = 0;

    // The disc: a folder holding VIDEO_TS, VIDEO_TS itself or an image. E_INVALIDARG when it holds no
    // readable DVD-Video volume (the disc in use stays), VFW_E_WRONG_STATE while playing.
    virtual HResult SetDvdDirectory(const std::string& path) = 0;
    virtual HResult GetDvdDirectory(std::string* path) const = 0;
    // Time events in hours, minutes, seconds and frames (EC_DVD_CURRENT_HMSF_TIME), on by default.
    virtual void SetHmsfTimeCodeEvents(bool on) = 0;

    // Control.
    virtual HResult ShowMenu(DvdMenuId menu) = 0;
    virtual HResult Resume() = 0;
    virtual HResult ReturnFromSubmenu() = 0;
    virtual HResult SelectRelativeButton(DvdRelativeButton direction) = 0;
    virtual HResult ActivateButton() = 0;
    virtual HResult SelectButton(std::uint32_t button) = 0;
    virtual HResult SelectAndActivateButton(std::uint32_t button) = 0;
    // A point of the picture (720 x 480 or 576 coordinates).
    virtual HResult SelectAtPosition(int x, int y) = 0;
    virtual HResult ActivateAtPosition(int x, int y) = 0;
    virtual HResult PlayTitle(std::uint32_t title) = 0;
    virtual HResult PlayChapterInTitle(std::uint32_t title, std::uint32_t chapter) = 0;
    virtual HResult PlayChapter(std::uint32_t chapter) = 0;
    virtual HResult PlayAtTimeInTitle(std::uint32_t title, const DvdTimeCode& time) = 0;
    virtual HResult PlayAtTime(const DvdTimeCode& time) = 0;
    virtual HResult PlayNextChapter() = 0;
    virtual HResult PlayPrevChapter() = 0;
    virtual HResult ReplayChapter() = 0;
    virtual HResult StopPlayback() = 0;
    // Plays the title forwards at the speed (1.0 normal, below 1 slow, above 1 fast) or scans it
    // backwards at the speed; E_INVALIDARG for a speed that is not above 0. Leaving the title or reaching
    // its start plays on at normal speed.
    virtual HResult PlayForwards(double speed) = 0;
    virtual HResult PlayBackwards(double speed) = 0;
    virtual HResult SelectAudioStream(std::uint32_t stream) = 0;
    virtual HResult SelectSubpictureStream(std::uint32_t stream) = 0;
    virtual HResult SetSubpictureState(bool shown) = 0;
    virtual HResult SelectAngle(std::uint32_t angle) = 0;
    virtual HResult SelectVideoModePreference(DvdVideoPreference preference) = 0;
    // Plays from a saved place: the title and chapter, then the time (or, when the time cannot be
    // searched, the block), the streams and the angle once the title is entered. With a wait above
    // zero it returns once that is done: VFW_E_TIMEOUT when it was not done in time. E_INVALIDARG for
    // a title or chapter the disc does not have.
    virtual HResult SetState(const DvdState& state, std::chrono::milliseconds wait) = 0;

    // Information.
    virtual HResult GetCurrentDomain(DvdDomain* domain) const = 0;
    virtual HResult GetCurrentLocation(DvdLocation* location) const = 0;
    virtual HResult GetTotalTitleTime(DvdTimeCode* time, std::uint32_t* flags) const = 0;
    virtual HResult GetCurrentAudio(std::uint32_t* available, std::uint32_t* current) const = 0;
    virtual HResult GetCurrentSubpicture(std::uint32_t* available, std::uint32_t* current,
                                         bool* disabled) const = 0;
    virtual HResult GetCurrentAngle(std::uint32_t* available, std::uint32_t* current) const = 0;
    virtual HResult GetCurrentButton(std::uint32_t* available, std::uint32_t* current) const = 0;
    virtual HResult GetCurrentUOPS(std::uint32_t* prohibited) const = 0;
    // The place shown, with the reading's block and the current streams; VFW_E_DVD_INVALIDDOMAIN
    // outside the title domain.
    virtual HResult GetState(DvdState* state) const = 0;
    virtual HResult GetCurrentVideoAttributes(DvdVideoAttributes* video) const = 0;
    virtual HResult GetTitleAttributes(std::uint32_t title, DvdMenuAttributes* menu,
                                       DvdTitleAttributes* attributes) const = 0;
    virtual HResult GetDvdVolumeInfo(std::uint32_t* volumes, std::uint32_t* volume, std::uint32_t* side,
                                     std::uint32_t* titles) const = 0;
    virtual HResult GetNumberOfChapters(std::uint32_t title, std::uint32_t* chapters) const = 0;
    // Start times of the title's chapters in milliseconds.
    virtual HResult GetChapterTimes(std::uint32_t title, std::vector<std::uint64_t>* starts) const = 0;
    // The disc in use (empty path), or the disc at the path.
    virtual HResult GetDiscId(const std::string& path, std::uint64_t* id) const = 0;
};

} // namespace plat::dvd
