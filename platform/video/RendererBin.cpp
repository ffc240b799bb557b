#include "platform/video/RendererBin.h"

#include "platform/media/GstInit.h"

namespace plat::video {

plat::media::ElementRef ParseRendererBin(const char* description) {
    plat::media::EnsureGstInitialized();
    GError* error = nullptr;
    // Fatal errors only: a bin with a missing element would take data and show nothing.
    GstElement* bin =
        gst_parse_bin_from_description_full(description, TRUE, nullptr, GST_PARSE_FLAG_FATAL_ERRORS, &error);
    if (error != nullptr) {
        g_error_free(error);
        if (bin != nullptr) {
            gst_object_unref(gst_object_ref_sink(bin));
        }
        return {};
    }
    return plat::media::ElementRef::Sink(bin);
}

} // namespace plat::video
