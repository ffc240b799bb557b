// Feeds arbitrary bytes to the saved-state record readers (DVD and media file): they never read
// outside the bytes, and a record they accept is written back byte for byte.
#include "core/src/state/TMediaStateRecord.h"
#include "platform/dvd/DvdStateRecord.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    std::string why;
    const auto state = plat::dvd::DvdStateRecord::Decode(bytes, &why);
    if (state.has_value() == !why.empty()) {
        std::abort();
    }
    if (state) {
        const auto again = plat::dvd::DvdStateRecord::Encode(*state);
        if (again.size() != size || !std::equal(again.begin(), again.end(), data)) {
            std::abort();
        }
    }
    if (const auto ms = TMediaStateRecord::Decode(bytes)) {
        const auto again = TMediaStateRecord::Encode(*ms);
        if (again.size() != size || !std::equal(again.begin(), again.end(), data)) {
            std::abort();
        }
    }
    return 0;
}
