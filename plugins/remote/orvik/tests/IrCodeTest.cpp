#include "plugins/remote/orvik/IrCode.h"

#include <gtest/gtest.h>

namespace orvik {
namespace {

TEST(IrCodeTest, BytesSplitIntoHighAndLow) {
    const std::uint8_t bytes[IrCode::Size] = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};
    const IrCode code(bytes);
    EXPECT_EQ(0x49521234u, code.High());
    EXPECT_EQ(0x56789ABCu, code.Low());
    EXPECT_EQ(u"cmd.ir(\"IRM49521234-56789ABC\")", code.CommandText());
}

} // namespace
} // namespace orvik
