#include "platform/dvd/DvdLogger.h"

#include <gst/gst.h>

#include <cstdio>

namespace plat::dvd {

namespace {

void Write(bool error, const char* format, va_list arguments) {
    char text[512];
    std::vsnprintf(text, sizeof text, format, arguments);
    if (error) {
        GST_WARNING("dvd: %s", text);
    } else {
        GST_DEBUG("dvd: %s", text);
    }
}

void ReaderLog(void*, dvd_logger_level_t level, const char* format, va_list arguments) {
    Write(level == DVD_LOGGER_LEVEL_ERROR, format, arguments);
}

void NavigatorLog(void*, dvdnav_logger_level_t level, const char* format, va_list arguments) {
    Write(level == DVDNAV_LOGGER_LEVEL_ERROR, format, arguments);
}

} // namespace

const dvd_logger_cb& DvdLogger::ReaderCallbacks() {
    static const dvd_logger_cb callbacks{&ReaderLog};
    return callbacks;
}

const dvdnav_logger_cb& DvdLogger::NavigatorCallbacks() {
    static const dvdnav_logger_cb callbacks{&NavigatorLog};
    return callbacks;
}

} // namespace plat::dvd
