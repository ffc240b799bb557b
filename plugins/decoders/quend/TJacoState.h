#pragma once
// What a JACOsub decode keeps while it reads the file: the palette, the timer, the styles and the
// names by which event lines refer to them.
#include "plugins/decoders/markup/MarkupColour.h"
#include "plugins/decoders/support/ScrRecords.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct TJacoState {
    static constexpr int kPaletteSize = 16;
    static constexpr int kDisplayNames = 32;
    static constexpr std::size_t kMaxDisplayName = 49;
    // Longest name an event line may refer to a style by.
    static constexpr std::size_t kMaxReferenceName = 47;
    // Ticks per second when the file sets no timer.
    static constexpr int64_t kDefaultTicksPerSecond = 30;

    TJacoState() {
        Palette.fill(0xFFFF);
        Palette[2] = 0;
    }

    // The colour override of a palette entry (below kPaletteSize).
    std::string PaletteOverride(std::size_t entry) const {
        const uint32_t colour = Palette[entry];
        return markup::ColourOverride(static_cast<uint8_t>(colour & 0xFF),
                                      static_cast<uint8_t>((colour >> 8) & 0xFF),
                                      static_cast<uint8_t>((colour >> 16) & 0xFF));
    }

    // Each entry's low, middle and high byte are written in that order into a colour override.
    std::array<uint32_t, kPaletteSize> Palette{};
    int64_t TicksPerSecond = kDefaultTicksPerSecond;
    // Added to the times of the event lines that follow a "#SHIFT" directive, in milliseconds.
    int64_t Shift = 0;
    std::array<std::string, kDisplayNames> DisplayNames;
    std::vector<TMarkupStyle> Styles;
    // The vertical resolution that positions are given in.
    double Resolution = 450.0;
    // The palette entry a "\C" without a digit of its own stands for.
    std::size_t LastColourEntry = 0;
};
