#include "core/src/capture/TFrameFormat.h"

#include "platform/media/GstRef.h"

#include <gst/video/video.h>

namespace {

bool ValidGeometry(std::int64_t width, std::int64_t height, std::int64_t bits) {
    return width > 0 && width <= TFrameFormat::kMaxSide && height > 0 && height <= TFrameFormat::kMaxSide &&
           bits > 0 && bits <= TFrameFormat::kMaxBits;
}

} // namespace

std::optional<TFrameFormat> TFrameFormat::FromGeometry(std::int32_t width, std::int32_t height,
                                                       std::int32_t bits) {
    if (!ValidGeometry(width, height, bits)) {
        return std::nullopt;
    }
    const std::uint64_t bytes = (std::uint64_t(width) * std::uint64_t(height) * std::uint64_t(bits) + 7) / 8;
    return TFrameFormat{width, height, bits, static_cast<std::uint32_t>(bytes)};
}

std::optional<TFrameFormat> TFrameFormat::FromCaps(const std::string& caps) {
    const plat::media::CapsRef parsed = plat::media::CapsRef::Adopt(gst_caps_from_string(caps.c_str()));
    GstVideoInfo info;
    if (!parsed || !gst_caps_is_fixed(parsed.get()) || !gst_video_info_from_caps(&info, parsed.get())) {
        return std::nullopt;
    }
    const std::int64_t width = GST_VIDEO_INFO_WIDTH(&info);
    const std::int64_t height = GST_VIDEO_INFO_HEIGHT(&info);
    if (!ValidGeometry(width, height, 1) || info.size == 0 || info.size > UINT32_MAX) {
        return std::nullopt;
    }
    // Bits per pixel as the stored bytes carry them: 12 for I420, 24 for BGR, 32 for BGRx.
    const std::int64_t bits = std::int64_t(info.size) * 8 / (width * height);
    if (!ValidGeometry(width, height, bits)) {
        return std::nullopt;
    }
    return TFrameFormat{std::int32_t(width), std::int32_t(height), std::int32_t(bits),
                        static_cast<std::uint32_t>(info.size)};
}
