#include "plugins/decoders/tamble/SubjectText.h"

#include "platform/text/CodePage.h"
#include "platform/text/Unicode.h"

#include <array>
#include <optional>

namespace {

using namespace plat::text;

struct Mark {
    std::string_view Bytes;
    std::uint32_t CodePage;
};

// UTF-32 LE first: its mark begins with the UTF-16 LE one.
const std::array<Mark, 5> kMarks{{
    {std::string_view("\xFF\xFE\0\0", 4), kCpUtf32Le},
    {std::string_view("\0\0\xFE\xFF", 4), kCpUtf32Be},
    {"\xEF\xBB\xBF", kCpUtf8},
    {"\xFF\xFE", kCpUtf16Le},
    {"\xFE\xFF", kCpUtf16Be},
}};

// Legacy subtitle files that detection cannot place are most often Western European.
constexpr std::uint32_t kLegacyFallback = 1252;
// Detection looks at this much of a file: enough to tell a code page, bounded for huge inputs.
constexpr std::size_t kDetectionSample = 1 << 20;
// Text without a mark counts as UTF-16 when nearly every unit of its start has a zero byte on
// the same side.
constexpr std::size_t kUtf16Probe = 256;

std::optional<std::uint32_t> MarkedCodePage(std::string_view& bytes) {
    for (const Mark& mark : kMarks) {
        if (bytes.starts_with(mark.Bytes)) {
            bytes.remove_prefix(mark.Bytes.size());
            return mark.CodePage;
        }
    }
    return std::nullopt;
}

std::optional<std::uint32_t> UnmarkedUtf16(std::string_view bytes) {
    const std::size_t units = std::min(bytes.size(), kUtf16Probe) / 2;
    if (units < 2) {
        return std::nullopt;
    }
    std::size_t zeroHigh = 0;
    std::size_t zeroLow = 0;
    for (std::size_t i = 0; i < units; ++i) {
        zeroLow += bytes[2 * i] == 0 ? 1 : 0;
        zeroHigh += bytes[2 * i + 1] == 0 ? 1 : 0;
    }
    if (zeroHigh * 10 >= units * 9 && zeroLow == 0) {
        return kCpUtf16Le;
    }
    if (zeroLow * 10 >= units * 9 && zeroHigh == 0) {
        return kCpUtf16Be;
    }
    return std::nullopt;
}

bool IsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const unicode::Step step = unicode::DecodeUtf8(bytes, i);
        if (!step.valid) {
            return false;
        }
        i += step.length;
    }
    return true;
}

std::uint32_t LegacyCodePage(std::string_view bytes) {
    const auto detected = DetectCodePage(bytes.substr(0, kDetectionSample));
    if (!detected || *detected == kCpUtf8 || !IsCodePageSupported(*detected)) {
        return kLegacyFallback;
    }
    return *detected;
}

std::uint32_t CodePageOf(std::string_view& bytes) {
    if (const auto marked = MarkedCodePage(bytes)) {
        return *marked;
    }
    if (const auto wide = UnmarkedUtf16(bytes)) {
        return *wide;
    }
    return IsValidUtf8(bytes) ? kCpUtf8 : LegacyCodePage(bytes);
}

} // namespace

std::u16string SubjectText(std::string_view bytes) {
    const std::uint32_t codePage = CodePageOf(bytes);
    std::u16string text;
    if (!MultiByteToWide(codePage, bytes, text)) {
        MultiByteToWide(kLegacyFallback, bytes, text);
    }
    return text;
}
