// Feeds arbitrary bytes to the DVD state record reader: it never reads outside the bytes, and a
// record it accepts is written back byte for byte.
#include "platform/dvd/DvdStateRecord.h"

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
    return 0;
}
