#pragma once
// A button code of the infrared receiver: six bytes, read as two numbers and handed to the player as
// the command text cmd.ir("IRM<high>-<low>").
#include <cstdint>
#include <string>

namespace orvik {

class IrCode {
public:
    static constexpr std::size_t Size = 6;

    // The receiver's six bytes b0 to b5.
    explicit IrCode(const std::uint8_t* bytes);

    // "IR" in the upper two bytes, b0 and b1 below: never 0.
    std::uint32_t High() const { return High_; }
    // b2 to b5, most significant first.
    std::uint32_t Low() const { return Low_; }
    // cmd.ir("IRM%X-%X") of high and low: upper-case hexadecimal without leading zeros.
    std::u16string CommandText() const;

private:
    std::uint32_t High_;
    std::uint32_t Low_;
};

} // namespace orvik
