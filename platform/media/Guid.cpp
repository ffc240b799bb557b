#include "platform/media/Guid.h"
#include "platform/text/Unicode.h"

#include <glib.h>

#include <algorithm>
#include <cstdio>

namespace plat::media {

namespace {

constexpr std::string_view kPattern = "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";


} // namespace

std::optional<Guid> Guid::Parse(std::string_view text) {
    if (text.size() != kPattern.size()) {
        return std::nullopt;
    }
    std::array<std::uint8_t, 16> bytes{};
    std::size_t nibble = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (kPattern[i] != 'X') {
            if (text[i] != kPattern[i]) {
                return std::nullopt;
            }
            continue;
        }
        const int value = plat::text::unicode::HexDigitValue(text[i]);
        if (value < 0) {
            return std::nullopt;
        }
        bytes[nibble / 2] = static_cast<std::uint8_t>(bytes[nibble / 2] << 4 | value);
        ++nibble;
    }
    return Guid(bytes);
}

Guid Guid::FromName(const Guid& nameSpace, std::string_view name) {
    GChecksum* sha1 = g_checksum_new(G_CHECKSUM_SHA1);
    g_checksum_update(sha1, nameSpace.bytes_.data(), nameSpace.bytes_.size());
    g_checksum_update(sha1, reinterpret_cast<const guchar*>(name.data()), static_cast<gssize>(name.size()));
    std::array<std::uint8_t, 20> digest{};
    gsize length = digest.size();
    g_checksum_get_digest(sha1, digest.data(), &length);
    g_checksum_free(sha1);

    std::array<std::uint8_t, 16> bytes{};
    std::copy_n(digest.begin(), bytes.size(), bytes.begin());
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x50); // version 5
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80); // RFC 4122 variant
    return Guid(bytes);
}

std::string Guid::ToString() const {
    const auto& b = bytes_;
    char text[kPattern.size() + 1];
    std::snprintf(text, sizeof text, "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11], b[12], b[13],
                  b[14], b[15]);
    return text;
}

} // namespace plat::media
