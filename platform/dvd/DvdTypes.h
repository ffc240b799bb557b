#pragma once
// The values the DVD navigator speaks in: domains, menus, time codes, locations, user-operation flags,
// event codes and the result codes of refused operations, with the numbers the core's tables use.
#include "platform/media/Result.h"

#include <cstdint>

namespace plat::dvd {

using media::HResult;

enum class DvdDomain : std::uint32_t {
    FirstPlay = 1,
    VideoManagerMenu = 2,
    VideoTitleSetMenu = 3,
    Title = 4,
    Stop = 5,
};

enum class DvdMenuId : std::uint32_t {
    Title = 2,
    Root = 3,
    Subpicture = 4,
    Audio = 5,
    Angle = 6,
    Chapter = 7,
};

enum class DvdRelativeButton { Upper, Lower, Left, Right };

// The preferred display of a 16:9 title on a 4:3 screen (content default, wide, pan-scan, letterbox).
enum class DvdVideoPreference : std::uint32_t { ContentDefault = 0, Wide = 1, PanScan = 2, Letterbox = 3 };

// Time-code flags: the frame rate of the time code's frames field.
constexpr std::uint32_t kTimeCode25Fps = 0x1;
constexpr std::uint32_t kTimeCode30Fps = 0x2;
constexpr std::uint32_t kTimeCodeDropFrame = 0x4;

// Disc times count 90 kHz ticks.
constexpr std::int64_t kDvdTicksPerSecond = 90000;

// Hours, minutes, seconds and frames; packed into a u32 with the hours in the lowest byte.
struct DvdTimeCode {
    std::uint8_t hours = 0;
    std::uint8_t minutes = 0;
    std::uint8_t seconds = 0;
    std::uint8_t frames = 0;

    std::uint32_t Packed() const {
        return hours | (minutes << 8) | (seconds << 16) | (static_cast<std::uint32_t>(frames) << 24);
    }
    static DvdTimeCode FromPacked(std::uint32_t packed) {
        return {static_cast<std::uint8_t>(packed), static_cast<std::uint8_t>(packed >> 8),
                static_cast<std::uint8_t>(packed >> 16), static_cast<std::uint8_t>(packed >> 24)};
    }
    // From and to 90 kHz ticks, the frames counted at the rate of the time-code flags (negative
    // ticks are the start).
    static DvdTimeCode FromTicks(std::int64_t ticks, std::uint32_t flags);
    std::int64_t Ticks(std::uint32_t flags) const;
    bool operator==(const DvdTimeCode&) const = default;
};

struct DvdLocation {
    std::uint32_t title = 0;   // 0 outside the title domain
    std::uint32_t chapter = 0; // 0 outside the title domain
    DvdTimeCode time;
    std::uint32_t timeCodeFlags = 0;
};

// Allowed-operation flags in the layout the core and its clients read: a set bit prohibits the operation.
namespace uop {
constexpr std::uint32_t PlayTitleOrAtTime = 0x1;
constexpr std::uint32_t PlayChapter = 0x2;
constexpr std::uint32_t PlayTitle = 0x4;
constexpr std::uint32_t Stop = 0x8;
constexpr std::uint32_t ReturnFromSubmenu = 0x10;
constexpr std::uint32_t PlayChapterOrAtTime = 0x20;
constexpr std::uint32_t PlayPrevOrReplayChapter = 0x40;
constexpr std::uint32_t PlayNextChapter = 0x80;
constexpr std::uint32_t PlayForwards = 0x100;
constexpr std::uint32_t PlayBackwards = 0x200;
constexpr std::uint32_t ShowMenuTitle = 0x400;
constexpr std::uint32_t ShowMenuRoot = 0x800;
constexpr std::uint32_t ShowMenuSubpicture = 0x1000;
constexpr std::uint32_t ShowMenuAudio = 0x2000;
constexpr std::uint32_t ShowMenuAngle = 0x4000;
constexpr std::uint32_t ShowMenuChapter = 0x8000;
constexpr std::uint32_t Resume = 0x10000;
constexpr std::uint32_t SelectOrActivateButton = 0x20000;
constexpr std::uint32_t StillOff = 0x40000;
constexpr std::uint32_t PauseOn = 0x80000;
constexpr std::uint32_t SelectAudioStream = 0x100000;
constexpr std::uint32_t SelectSubpictureStream = 0x200000;
constexpr std::uint32_t SelectAngle = 0x400000;
constexpr std::uint32_t SelectKaraokeMode = 0x800000;
constexpr std::uint32_t SelectVideoModePreference = 0x1000000;
} // namespace uop

// Navigator event codes (graph event codes of the DVD range).
constexpr long EC_DVD_DOMAIN_CHANGE = 0x101;
constexpr long EC_DVD_TITLE_CHANGE = 0x102;
constexpr long EC_DVD_CHAPTER_START = 0x103;
constexpr long EC_DVD_AUDIO_STREAM_CHANGE = 0x104;
constexpr long EC_DVD_SUBPICTURE_STREAM_CHANGE = 0x105;
constexpr long EC_DVD_ANGLE_CHANGE = 0x106;
constexpr long EC_DVD_BUTTON_CHANGE = 0x107;
constexpr long EC_DVD_VALID_UOPS_CHANGE = 0x108;
constexpr long EC_DVD_STILL_ON = 0x109;
constexpr long EC_DVD_STILL_OFF = 0x10A;
constexpr long EC_DVD_ERROR = 0x10C;
constexpr long EC_DVD_PLAYBACK_STOPPED = 0x112;
constexpr long EC_DVD_CURRENT_HMSF_TIME = 0x11A;

// The first value of EC_DVD_ERROR.
enum class DvdError : std::uint32_t {
    Unexpected = 1,
    CopyProtectFail = 2,
    InvalidDvd10Disc = 3,
    InvalidDiscRegion = 4,
    LowParentalLevel = 5,
    MacrovisionFail = 6,
    IncompatibleSystemAndDecoderRegions = 7,
    IncompatibleDiscAndDecoderRegions = 8,
};

// Results of operations the disc or the navigator's state refuses.
constexpr HResult VFW_E_DVD_OPERATION_INHIBITED = media::MakeResult(0x80040276u);
constexpr HResult VFW_E_DVD_INVALIDDOMAIN = media::MakeResult(0x80040277u);
constexpr HResult VFW_E_DVD_NO_BUTTON = media::MakeResult(0x80040278u);
constexpr HResult VFW_E_DVD_GRAPHNOTREADY = media::MakeResult(0x80040279u);

} // namespace plat::dvd
