#pragma once
// The duration of a media file without building a graph: the largest of the container's and the
// streams' durations, read by GStreamer's discoverer within a time limit.
#include "platform/media/Result.h"

#include <chrono>
#include <cstdint>
#include <string>

namespace plat::media {

class DurationProbe {
public:
    // The duration in 100 ns units. Failures: the not-found results for a missing file, VFW_E_TIMEOUT,
    // the result of the discoverer's error, VFW_E_UNKNOWN_FILE_TYPE when no duration can be read.
    static HResult Probe(const std::string& path, std::chrono::milliseconds timeout, std::int64_t* duration);
};

} // namespace plat::media
