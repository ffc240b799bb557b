#include "subtitles/zip/ZipEntryName.h"

#include "platform/text/CodePage.h"
#include "platform/text/Path.h"
#include "platform/text/Unicode.h"
#include "subtitles/zip/TZipEntry.h"

#include <algorithm>

namespace zipname {

namespace {

constexpr std::uint32_t kLegacyZipCodePage = 437;

bool HasDriveLetter(std::string_view name) {
    const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    return name.size() >= 2 && isLetter(name[0]) && name[1] == ':';
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const plat::text::unicode::Step step = plat::text::unicode::DecodeUtf8(text, i);
        if (!step.valid) {
            return false;
        }
        i += step.length;
    }
    return true;
}

std::string FromLegacyCodePage(std::string_view stored) {
    plat::text::WString wide;
    plat::text::MultiByteToWide(kLegacyZipCodePage, stored, wide);
    return plat::text::WideToAnsi(wide);
}

} // namespace

std::string Decode(std::string_view stored, bool utf8Flag) {
    const bool utf8 = utf8Flag || IsValidUtf8(stored);
    return WithSlashes(utf8 ? plat::text::WideToAnsi(plat::text::AnsiToWide(stored))
                            : FromLegacyCodePage(stored));
}

std::string WithSlashes(std::string_view name) {
    std::string out(name);
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

std::optional<std::vector<std::string>> SafeComponents(std::string_view name) {
    if (name.empty() || plat::text::path::IsSeparator(name.front()) || HasDriveLetter(name)) {
        return std::nullopt;
    }
    std::vector<std::string> parts;
    for (std::string& part : plat::text::path::Split(name)) {
        if (part == "..") {
            return std::nullopt;
        }
        if (part != ".") {
            parts.push_back(std::move(part));
        }
    }
    if (parts.empty()) {
        return std::nullopt;
    }
    return parts;
}

std::optional<std::string> ForNewEntry(std::string_view name) {
    if (!IsValidUtf8(name) || !SafeComponents(name)) {
        return std::nullopt;
    }
    std::string stored = plat::text::path::Normalize(name);
    if (stored.size() >= static_cast<std::size_t>(TZipEntry::kNameSize)) {
        return std::nullopt;
    }
    return stored;
}

bool IsAscii(std::string_view name) {
    return std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace zipname
