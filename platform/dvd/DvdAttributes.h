#pragma once
// Title and menu attributes in the binary layout the core copies into its disc-information record
// (little-endian, 32-bit truth values, the natural alignment of the platform's DVD structures).
#include <cstddef>
#include <cstdint>

namespace plat::dvd {

enum class DvdVideoCompression : std::uint32_t { Other = 0, Mpeg1 = 1, Mpeg2 = 2 };
enum class DvdAudioAppMode : std::uint32_t { None = 0, Karaoke = 1, Surround = 2, Other = 3 };
enum class DvdAudioFormat : std::uint32_t {
    Ac3 = 0,
    Mpeg1 = 1,
    Mpeg1Drc = 2,
    Mpeg2 = 3,
    Mpeg2Drc = 4,
    Lpcm = 5,
    Dts = 6,
    Sdds = 7,
    Other = 8
};
enum class DvdSubpictureType : std::uint32_t { NotSpecified = 0, Language = 1, Other = 2 };
enum class DvdSubpictureCoding : std::uint32_t { RunLength = 0, Extended = 1, Other = 2 };
enum class DvdTitleAppMode : std::uint32_t { NotSpecified = 0, Karaoke = 1, Other = 3 };

struct DvdVideoAttributes {
    std::uint32_t panscanPermitted;
    std::uint32_t letterboxPermitted;
    std::uint32_t aspectX;
    std::uint32_t aspectY;
    std::uint32_t frameRate;   // 25 or 30
    std::uint32_t frameHeight; // 576 or 480
    DvdVideoCompression compression;
    std::uint32_t line21Field1InGop;
    std::uint32_t line21Field2InGop;
    std::uint32_t sourceResolutionX;
    std::uint32_t sourceResolutionY;
    std::uint32_t isSourceLetterboxed;
    std::uint32_t isFilmMode;
};

struct DvdAudioAttributes {
    DvdAudioAppMode appMode;
    std::uint8_t appModeData;
    DvdAudioFormat format;
    std::uint32_t language;          // a Windows locale id (LCID), 0 when not given
    std::uint32_t languageExtension; // the disc's code extension
    std::uint32_t hasMultichannelInfo;
    std::uint32_t frequency;
    std::uint8_t quantization; // bits per sample for LPCM, else 0
    std::uint8_t channels;
    std::uint32_t reserved[2];
};

struct DvdMixingInfo {
    std::uint32_t mixTo0;
    std::uint32_t mixTo1;
    std::uint32_t mix0InPhase;
    std::uint32_t mix1InPhase;
    std::uint32_t speakerPosition;
};

struct DvdMixingCoefficients {
    double log2Alpha;
    double log2Beta;
};

struct DvdMultichannelAudioAttributes {
    DvdMixingInfo info[8];
    DvdMixingCoefficients coefficients[8];
};

struct DvdSubpictureAttributes {
    DvdSubpictureType type;
    DvdSubpictureCoding coding;
    std::uint32_t language;          // LCID
    std::uint32_t languageExtension; // the disc's code extension
};

struct DvdMenuAttributes {
    std::uint32_t compatibleRegion[8]; // 1 when the disc plays in region i + 1
    DvdVideoAttributes video;
    std::uint32_t audioPresent;
    DvdAudioAttributes audio;
    std::uint32_t subpicturePresent;
    DvdSubpictureAttributes subpicture;
};

struct DvdTitleAttributes {
    DvdTitleAppMode appMode;
    DvdVideoAttributes video;
    std::uint32_t audioStreamCount;
    DvdAudioAttributes audio[8];
    DvdMultichannelAudioAttributes multichannel[8];
    std::uint32_t subpictureStreamCount;
    DvdSubpictureAttributes subpicture[32];
};

static_assert(sizeof(DvdVideoAttributes) == 52);
static_assert(sizeof(DvdAudioAttributes) == 40);
static_assert(sizeof(DvdSubpictureAttributes) == 16);
static_assert(sizeof(DvdMenuAttributes) == 148);
static_assert(sizeof(DvdTitleAttributes) == 3208);
static_assert(offsetof(DvdTitleAttributes, multichannel) == 384);
static_assert(offsetof(DvdTitleAttributes, subpictureStreamCount) == 2688);

} // namespace plat::dvd
