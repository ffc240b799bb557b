// Fuzzes the subtitle page loader: the input after its first four bytes is the page block of an
// order-502 record (from its head on), handed to the page model as the core does, in a heap block of
// exactly its size so that a read past the delivered bytes is caught. The first four bytes choose the
// times an accepted page is shown at; then the styles are reset (the display on, so that pages are
// laid out again) and the pages cleared, so that inputs do not pile up.
#include "core/src/pages/TSubDisplay.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>

namespace {

void ShowAtTimes(TSubDisplay& display, std::uint32_t times) {
    for (int i = 0; i < 8; ++i) {
        display.SetTime(static_cast<std::int32_t>((times >> (i * 4)) & 0xF) * 250);
    }
    display.SetTime(std::numeric_limits<std::int32_t>::max());
    display.SetTime(std::numeric_limits<std::int32_t>::min());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TSubDisplay display;
    if (size < sizeof(std::uint32_t)) {
        return 0;
    }
    std::uint32_t times;
    std::memcpy(&times, data, sizeof(times));
    const std::size_t blockSize = size - sizeof(times);
    const std::unique_ptr<std::byte[]> block(new std::byte[blockSize]);
    std::memcpy(block.get(), data + sizeof(times), blockSize);

    std::uint32_t key = 0;
    if (blockSize >= 8) {
        std::memcpy(&key, block.get() + 4, sizeof(key));
    }
    if (display.SetBlock(key, std::span(block.get(), blockSize)) && display.SelectBlock(key)) {
        ShowAtTimes(display, times);
        display.SetEnabled(true, false);
        display.ResetStyles(false);
        display.SetEnabled(false, false);
    }
    display.ClearBlocks();
    return 0;
}
