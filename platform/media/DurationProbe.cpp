#include "platform/media/DurationProbe.h"

#include "platform/media/GstInit.h"
#include "platform/media/GstRef.h"

#include <gst/pbutils/pbutils.h>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace plat::media {

namespace {

struct GObjectDeleter {
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T> using GObjectPtr = std::unique_ptr<T, GObjectDeleter>;

GstClockTime StreamsDuration(GstDiscovererInfo* info) {
    GstClockTime longest = 0;
    GList* streams = gst_discoverer_info_get_stream_list(info);
    for (GList* item = streams; item != nullptr; item = item->next) {
        const GstTagList* tags = gst_discoverer_stream_info_get_tags(GST_DISCOVERER_STREAM_INFO(item->data));
        guint64 duration = 0;
        if (tags != nullptr && gst_tag_list_get_uint64(tags, GST_TAG_DURATION, &duration)) {
            longest = std::max<GstClockTime>(longest, duration);
        }
    }
    gst_discoverer_stream_info_list_free(streams);
    return longest;
}

HResult FromDiscovererResult(GstDiscovererResult result, const GError* error) {
    switch (result) {
    case GST_DISCOVERER_OK:
        return S_OK;
    case GST_DISCOVERER_TIMEOUT:
        return VFW_E_TIMEOUT;
    case GST_DISCOVERER_MISSING_PLUGINS:
        return VFW_E_UNSUPPORTED_STREAM;
    case GST_DISCOVERER_URI_INVALID:
        return E_INVALIDARG;
    default:
        return error != nullptr ? ResultFromGError(error) : E_FAIL;
    }
}

} // namespace

HResult DurationProbe::Probe(const std::string& path, std::chrono::milliseconds timeout,
                             std::int64_t* duration) {
    if (duration == nullptr) {
        return E_POINTER;
    }
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored)) {
        const auto folder = std::filesystem::path(path).parent_path();
        return folder.empty() || std::filesystem::is_directory(folder, ignored) ? FILE_NOT_FOUND_RESULT
                                                                                : PATH_NOT_FOUND_RESULT;
    }
    EnsureGstInitialized();
    GError* error = nullptr;
    GObjectPtr<GstDiscoverer> discoverer(
        gst_discoverer_new(static_cast<GstClockTime>(timeout.count()) * GST_MSECOND, &error));
    if (!discoverer) {
        g_clear_error(&error);
        return E_OUTOFMEMORY;
    }
    std::unique_ptr<gchar, GFreeDeleter> uri(gst_filename_to_uri(path.c_str(), nullptr));
    GObjectPtr<GstDiscovererInfo> info(gst_discoverer_discover_uri(discoverer.get(), uri.get(), &error));
    const HResult hr =
        info ? FromDiscovererResult(gst_discoverer_info_get_result(info.get()), error) : E_FAIL;
    g_clear_error(&error);
    if (Failed(hr)) {
        return hr;
    }
    const GstClockTime container = gst_discoverer_info_get_duration(info.get());
    const GstClockTime longest =
        std::max(GST_CLOCK_TIME_IS_VALID(container) ? container : 0, StreamsDuration(info.get()));
    if (longest == 0) {
        return VFW_E_UNKNOWN_FILE_TYPE;
    }
    *duration = static_cast<std::int64_t>(longest) / 100;
    return S_OK;
}

} // namespace plat::media
