#include "plugins/remote/orvik/IrCode.h"

#include <cstdio>

namespace orvik {

IrCode::IrCode(const std::uint8_t* bytes)
    : High_(0x49520000u + bytes[0] * 256u + bytes[1]),
      Low_(static_cast<std::uint32_t>(bytes[2]) << 24 | static_cast<std::uint32_t>(bytes[3]) << 16 |
           static_cast<std::uint32_t>(bytes[4]) << 8 | bytes[5]) {}

std::u16string IrCode::CommandText() const {
    char text[48] = {};
    const int length = std::snprintf(text, sizeof text, "cmd.ir(\"IRM%X-%X\")", High_, Low_);
    return std::u16string(text, text + length);
}

} // namespace orvik
