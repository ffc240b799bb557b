#include "platform/media/FilterAliases.h"

#include <array>

namespace plat::media {

namespace {

Guid Id(std::string_view text) {
    return *Guid::Parse(text);
}

// The video renderers all become our one presentation path; the overlay mixer is a pass-through because
// mixing happens on the video surface.
const std::array<FilterAlias, 12>& Table() {
    static const std::array<FilterAlias, 12> table{{
        {Id("{E436EBB5-524F-11CE-9F53-0020AF0BA770}"), "File Source (Async)", FilterRole::Factory, "filesrc"},
        // Available once the DVD layer registered its navigator element.
        {Id("{9B8C4620-2C1A-11D0-8493-00A02438AD48}"), "DVD Navigator", FilterRole::Factory, "tovrindvdnav"},
        {Id("{70E102B0-5556-11CE-97C0-00AA0055595A}"), "Video Renderer", FilterRole::VideoRenderer, ""},
        {Id("{CD8743A1-3736-11D0-9E69-00C04FD7C15B}"), "Overlay Mixer", FilterRole::Factory, "identity"},
        {Id("{51B4ABF3-748F-4E3B-A276-C828330E926A}"), "Video Mixing Renderer 9", FilterRole::VideoRenderer,
         ""},
        {Id("{B87BEB7B-8D29-423F-AE4D-6582C10175AC}"), "Video Mixing Renderer", FilterRole::VideoRenderer,
         ""},
        {Id("{C1F400A0-3F08-11D3-9F0B-006008039E37}"), "SampleGrabber", FilterRole::SampleGrabber, ""},
        {Id("{79376820-07D0-11CF-A24D-444553540000}"), "Default DirectSound Device",
         FilterRole::AudioRenderer, ""},
        {Id("{E30629D1-27E5-11CE-875D-00608CF99E4C}"), "Default WaveOut Device", FilterRole::AudioRenderer,
         ""},
        {Id("{C1F400A4-3F08-11D3-9F0B-006008039E37}"), "Null Renderer", FilterRole::Factory, "fakesink"},
        {Id("{9736D831-9D6C-4E72-B6E7-560EF9181001}"), "AVI Splitter (external)", FilterRole::Factory,
         "avidemux"},
        {Id("{1B544C20-FD0B-11CE-8C63-00AA0044B51E}"), "AVI Splitter", FilterRole::Factory, "avidemux"},
    }};
    return table;
}

} // namespace

const FilterAlias* FilterAliases::Find(const Guid& windowsId) {
    for (const FilterAlias& alias : Table()) {
        if (alias.windowsId == windowsId) {
            return &alias;
        }
    }
    return nullptr;
}

} // namespace plat::media
