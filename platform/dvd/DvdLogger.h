#pragma once
// Where libdvdread's and libdvdnav's messages go: GStreamer's debug log, not the terminal.
#include <dvdnav/dvdnav.h>
#include <dvdread/dvd_reader.h>

namespace plat::dvd {

class DvdLogger {
public:
    static const dvd_logger_cb& ReaderCallbacks();
    static const dvdnav_logger_cb& NavigatorCallbacks();
};

} // namespace plat::dvd
