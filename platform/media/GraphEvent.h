#pragma once
// One notification of a graph, in the shape of the DirectShow event the core expects.
#include "platform/media/Result.h"

#include <cstdint>
#include <string>

namespace plat::media {

constexpr long EC_COMPLETE = 0x01;
constexpr long EC_ERRORABORT = 0x03;
constexpr long EC_STEP_COMPLETE = 0x24;

struct GraphEvent {
    long code = 0;
    std::int64_t param1 = 0; // EC_COMPLETE and EC_ERRORABORT: the result; EC_STEP_COMPLETE: 0 (done)
    std::int64_t param2 = 0;
    std::string text; // the error's message for EC_ERRORABORT
};

} // namespace plat::media
