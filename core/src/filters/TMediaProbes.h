#pragma once
// The library's media probes: the duration of a media file and the presence of the mixing video
// renderer.
#include "platform/media/FilterCatalogue.h"
#include "platform/media/RendererFactory.h"

#include <chrono>
#include <cstdint>

class TMediaProbes {
public:
    // How long the duration probe may read a file.
    static constexpr std::chrono::milliseconds kProbeTimeout{10000};
    // The version the presence probe answers for the mixing renderer.
    static constexpr std::int32_t kMixingRendererVersion = 9;

    // The file's largest stream length in milliseconds, cut toward zero; 0 for every failure.
    static std::int32_t MediaDuration(const char16_t* fileName);
    // kMixingRendererVersion when the video renderer that the mixing renderer's class id stands for can
    // be created, else 0.
    static std::int32_t MixingRendererVersion(const plat::media::FilterCatalogue& catalogue,
                                              plat::media::RendererFactory& renderers);
    // The same with the renderers of real playback (the video surface's renderer).
    static std::int32_t MixingRendererVersion(const plat::media::FilterCatalogue& catalogue);
};
