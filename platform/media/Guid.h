#pragma once
// A 128-bit class id written as "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", byte order as printed.
#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plat::media {

class Guid {
public:
    constexpr Guid() = default;
    explicit constexpr Guid(const std::array<std::uint8_t, 16>& bytes) : bytes_(bytes) {}

    // Accepts the braced form only, hex digits in either case; anything else gives nothing.
    static std::optional<Guid> Parse(std::string_view text);
    // A name-based (version 5, SHA-1) id of the name within the namespace.
    static Guid FromName(const Guid& nameSpace, std::string_view name);

    // Upper-case braced form.
    std::string ToString() const;
    bool IsNull() const { return *this == Guid(); }
    const std::array<std::uint8_t, 16>& Bytes() const { return bytes_; }

    auto operator<=>(const Guid&) const = default;

private:
    std::array<std::uint8_t, 16> bytes_{};
};

} // namespace plat::media
