#include "core/src/filters/TFilterMatcher.h"

#include "platform/media/GstInit.h"

#include <gst/gst.h>
#include <gst/riff/riff-media.h>
#include <memory>
#include <string>

using plat::media::FilterInfo;
using plat::media::PinDirection;
using plat::media::PinTemplateInfo;

namespace {

struct CapsUnref {
    void operator()(GstCaps* caps) const { gst_caps_unref(caps); }
};
using CapsPtr = std::unique_ptr<GstCaps, CapsUnref>;

bool Accepts(const PinTemplateInfo& pin, const GstCaps* wanted) {
    if (pin.direction != PinDirection::Input) {
        return false;
    }
    // A pin that takes anything is not registered for the type.
    const CapsPtr caps(gst_caps_from_string(pin.caps.c_str()));
    return caps != nullptr && !gst_caps_is_any(caps.get()) && gst_caps_can_intersect(caps.get(), wanted);
}

bool HasOutput(const FilterInfo& info) {
    for (const PinTemplateInfo& pin : info.pinTemplates) {
        if (pin.direction == PinDirection::Output) {
            return true;
        }
    }
    return false;
}

bool Matches(const FilterInfo& info, const GstCaps* wanted) {
    if (info.merit <= plat::media::MERIT_DO_NOT_USE || !HasOutput(info)) {
        return false;
    }
    for (const PinTemplateInfo& pin : info.pinTemplates) {
        if (Accepts(pin, wanted)) {
            return true;
        }
    }
    return false;
}

} // namespace

TFilterMatcher::TFilterMatcher(const plat::media::FilterCatalogue& catalogue) : catalogue_(catalogue) {}

std::vector<const FilterInfo*> TFilterMatcher::MatchCaps(std::string_view caps,
                                                         plat::media::FilterCategory decoders) const {
    plat::media::EnsureGstInitialized();
    const CapsPtr wanted(gst_caps_from_string(std::string(caps).c_str()));
    std::vector<const FilterInfo*> matches;
    if (wanted == nullptr || gst_caps_is_empty(wanted.get())) {
        return matches;
    }
    for (const FilterInfo& info : catalogue_.Filters()) {
        if (info.category == decoders && Matches(info, wanted.get())) {
            matches.push_back(&info);
        }
    }
    return matches;
}

std::vector<const FilterInfo*> TFilterMatcher::MatchFourCC(std::uint32_t fourCC) const {
    plat::media::EnsureGstInitialized();
    const CapsPtr caps(gst_riff_create_video_caps(fourCC, nullptr, nullptr, nullptr, nullptr, nullptr));
    if (caps == nullptr) {
        return {};
    }
    std::unique_ptr<gchar, decltype(&g_free)> text(gst_caps_to_string(caps.get()), &g_free);
    return MatchCaps(text.get(), plat::media::FilterCategory::VideoDecoder);
}
