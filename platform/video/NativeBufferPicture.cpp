#include "platform/video/NativeBufferPicture.h"

#include "platform/video/VideoSurface.h"

#include <memory>

namespace plat::video {

namespace {

constexpr GstVideoFormat kFrameVideoFormat =
    G_BYTE_ORDER == G_LITTLE_ENDIAN ? GST_VIDEO_FORMAT_BGRx : GST_VIDEO_FORMAT_xRGB;

// The picture of `buffer` converted into a new image; null when it cannot be read.
QImage Convert(GstBuffer* buffer, const GstVideoInfo& info) {
    const int width = GST_VIDEO_INFO_WIDTH(&info);
    const int height = GST_VIDEO_INFO_HEIGHT(&info);
    QImage image(width, height, VideoSurface::kFrameFormat);
    GstVideoInfo outInfo;
    if (image.isNull() || !gst_video_info_set_format(&outInfo, kFrameVideoFormat, width, height)) {
        return {};
    }
    // The converter changes the format alone: rate, pixel shape and interlacing stay the stream's.
    GST_VIDEO_INFO_FPS_N(&outInfo) = GST_VIDEO_INFO_FPS_N(&info);
    GST_VIDEO_INFO_FPS_D(&outInfo) = GST_VIDEO_INFO_FPS_D(&info);
    GST_VIDEO_INFO_PAR_N(&outInfo) = GST_VIDEO_INFO_PAR_N(&info);
    GST_VIDEO_INFO_PAR_D(&outInfo) = GST_VIDEO_INFO_PAR_D(&info);
    GST_VIDEO_INFO_INTERLACE_MODE(&outInfo) = GST_VIDEO_INFO_INTERLACE_MODE(&info);
    GST_VIDEO_INFO_PLANE_STRIDE(&outInfo, 0) = static_cast<gint>(image.bytesPerLine());
    GST_VIDEO_INFO_SIZE(&outInfo) = static_cast<gsize>(image.sizeInBytes());
    GstBuffer* target =
        gst_buffer_new_wrapped_full(static_cast<GstMemoryFlags>(0), image.bits(), image.sizeInBytes(), 0,
                                    image.sizeInBytes(), nullptr, nullptr);
    GstVideoFrame in;
    GstVideoFrame out;
    bool converted = false;
    if (gst_video_frame_map(&in, &info, buffer, GST_MAP_READ)) {
        if (gst_video_frame_map(&out, &outInfo, target, GST_MAP_WRITE)) {
            if (GstVideoConverter* converter = gst_video_converter_new(&in.info, &outInfo, nullptr)) {
                gst_video_converter_frame(converter, &in, &out);
                gst_video_converter_free(converter);
                converted = true;
            }
            gst_video_frame_unmap(&out);
        }
        gst_video_frame_unmap(&in);
    }
    gst_buffer_unref(target);
    return converted ? image : QImage();
}

} // namespace

NativePicture KeepNativeBufferPicture(GstBuffer* buffer, const GstVideoInfo& info) {
    std::shared_ptr<GstBuffer> kept(gst_buffer_ref(buffer), [](GstBuffer* held) { gst_buffer_unref(held); });
    return {QSize(GST_VIDEO_INFO_WIDTH(&info), GST_VIDEO_INFO_HEIGHT(&info)),
            [kept, info] { return Convert(kept.get(), info); }};
}

} // namespace plat::video
