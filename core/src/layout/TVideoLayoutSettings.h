#pragma once
// The video layout settings a program sends with order 209: the first 18 words of its aspect record,
// the blanking colour and the apply flag. Flags are read from their low byte, as the programs set them.
#include "core/include/VokradOrders.h"

#include <array>
#include <cstdint>

struct TVideoLayoutSettings {
    // Modes of word 0.
    static constexpr std::uint8_t kLetterBox = 0;
    static constexpr std::uint8_t kStretched = 1;
    static constexpr std::uint8_t kCrop = 2;
    static constexpr std::uint8_t kNoScale = 3;
    static constexpr std::uint8_t kCustom = 4;

    std::array<std::uint32_t, kAspectWords> aspect{};
    std::uint32_t blankingColour = 0;
    std::uint32_t apply = 0;

    static TVideoLayoutSettings FromOrder(const TOrderVideoLayout& order) {
        TVideoLayoutSettings settings;
        for (std::size_t i = 0; i < kAspectWords; ++i) {
            settings.aspect[i] = order.aspect[i];
        }
        settings.blankingColour = order.blankingColour;
        settings.apply = order.apply;
        return settings;
    }

    bool operator==(const TVideoLayoutSettings&) const = default;

    std::uint8_t Mode() const { return Low(0); }
    bool PositionInUse() const { return Low(8) != 0; }
    std::int32_t PositionLeft() const { return Signed(9); }
    std::int32_t PositionTop() const { return Signed(10); }
    std::int32_t PositionWidth() const { return Signed(11); }
    std::int32_t PositionHeight() const { return Signed(12); }
    bool BlankingInUse() const { return Low(13) != 0; }
    // Blanking margins left, top, right, bottom (words 14-17).
    std::int32_t Blanking(std::size_t side) const { return Signed(14 + side); }
    bool Applies() const { return (apply & 0xFFu) != 0; }

private:
    std::uint8_t Low(std::size_t word) const { return static_cast<std::uint8_t>(aspect[word] & 0xFFu); }
    std::int32_t Signed(std::size_t word) const { return static_cast<std::int32_t>(aspect[word]); }
};
