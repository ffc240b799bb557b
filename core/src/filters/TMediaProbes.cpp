#include "core/src/filters/TMediaProbes.h"

#include "platform/media/DurationProbe.h"
#include "platform/text/CodePage.h"
#include "platform/video/SurfaceRendererFactory.h"

#include <algorithm>
#include <limits>
#include <memory>

namespace {

// Class id of the mixing video renderer in graph descriptions.
constexpr plat::media::Guid kMixingRenderer({0x51, 0xB4, 0xAB, 0xF3, 0x74, 0x8F, 0x4E, 0x3B, 0xA2, 0x76, 0xC8,
                                             0x28, 0x33, 0x0E, 0x92, 0x6A});
constexpr std::int64_t kUnitsPerMillisecond = 10000; // the probe counts 100 ns units

} // namespace

std::int32_t TMediaProbes::MediaDuration(const char16_t* fileName) {
    std::int64_t duration = 0;
    if (fileName == nullptr || plat::media::Failed(plat::media::DurationProbe::Probe(
                                   plat::text::WideToAnsi(fileName), kProbeTimeout, &duration))) {
        return 0;
    }
    const std::int64_t milliseconds = duration / kUnitsPerMillisecond;
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(milliseconds, 0, std::numeric_limits<std::int32_t>::max()));
}

std::int32_t TMediaProbes::MixingRendererVersion(const plat::media::FilterCatalogue& catalogue,
                                                 plat::media::RendererFactory& renderers) {
    const plat::media::FilterResolution resolved = catalogue.Resolve(kMixingRenderer);
    if (resolved.role != plat::media::FilterRole::VideoRenderer) {
        return 0;
    }
    const plat::media::ElementRef renderer = renderers.CreateVideoRenderer();
    return renderer.get() != nullptr ? kMixingRendererVersion : 0;
}

std::int32_t TMediaProbes::MixingRendererVersion(const plat::media::FilterCatalogue& catalogue) {
    plat::video::SurfaceRendererFactory renderers(std::make_shared<plat::video::VideoSurface>());
    return MixingRendererVersion(catalogue, renderers);
}
