#pragma once
// The stream attributes of one DVD title as the navigator reads them from the disc: the audio and
// subpicture streams with their counts. A title has at most 8 audio and 32 subpicture streams; the
// counts are taken as the disc gives them, so a reader never trusts them as indexes.
#include <array>
#include <cstdint>

struct TDvdAudioAttributes {
    std::uint32_t language = 0; // LCID
    bool hasMultichannelInfo = false;
    std::uint32_t frequency = 0;
    std::uint8_t quantization = 0;
    std::uint8_t channels = 0;
    std::uint8_t format = 0;
};

struct TDvdSubpictureAttributes {
    std::uint8_t type = 0;
    std::uint8_t codingMode = 0;
    std::uint32_t language = 0; // LCID
    std::uint8_t languageExtension = 0;
};

struct TDvdTitleAttributes {
    static constexpr std::size_t kAudioStreams = 8;
    static constexpr std::size_t kSubpictureStreams = 32;

    std::uint32_t audioCount = 0;
    std::array<TDvdAudioAttributes, kAudioStreams> audio{};
    std::uint32_t subpictureCount = 0;
    std::array<TDvdSubpictureAttributes, kSubpictureStreams> subpicture{};
};
