#include "platform/media/GstInit.h"

#include <gst/gst.h>

#include <mutex>

namespace plat::media {

void EnsureGstInitialized() {
    static std::once_flag once;
    std::call_once(once, [] { gst_init(nullptr, nullptr); });
}

} // namespace plat::media
