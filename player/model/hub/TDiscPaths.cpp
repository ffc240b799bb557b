#include "player/model/hub/TDiscPaths.h"

#include "platform/text/CodePage.h"
#include "platform/text/Format.h"
#include "platform/text/Path.h"

#include <filesystem>

namespace text = plat::text;

namespace {

// The root as the start of a path below it: empty, or ending with a separator.
std::u16string Prefix(std::u16string_view root) {
    std::u16string prefix(root);
    if (!prefix.empty() && prefix.back() != u'/' && prefix.back() != u'\\') {
        prefix += u'/';
    }
    return prefix;
}

// FNV-1a over the bytes: a short, stable digest of a path.
uint64_t Digest(std::string_view bytes) {
    uint64_t hash = 0xCBF29CE484222325ull;
    for (const char c : bytes) {
        hash = (hash ^ static_cast<uint8_t>(c)) * 0x100000001B3ull;
    }
    return hash;
}

// The absolute form of a path, written with '/', without "." and ".." parts.
std::string FullPath(std::string_view path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(text::path::Normalize(path), error);
    return error ? text::path::Normalize(path) : absolute.lexically_normal().string();
}

} // namespace

std::u16string TDiscPaths::DiscFolder(std::u16string_view root, uint32_t idHigh, uint32_t idLow,
                                      std::u16string_view label) {
    return text::Format(u"%s%08X-%08X-%s/", Prefix(root), idHigh, idLow, label);
}

std::u16string TDiscPaths::DiscStorageFile(std::u16string_view discFolder, uint32_t idHigh, uint32_t idLow) {
    return text::Format(u"%s%08X-%08X.dsi", discFolder, idHigh, idLow);
}

std::u16string TDiscPaths::MediaStorageFile(std::u16string_view root, std::u16string_view mediaPath) {
    const std::u16string beside = text::Format(u"%s.dsi", mediaPath);
    std::error_code error;
    if (std::filesystem::is_regular_file(text::WideToAnsi(beside), error)) {
        return beside;
    }
    // Files of one name in different folders keep apart: the name carries a digest of the full path.
    const std::string full = FullPath(text::WideToAnsi(mediaPath));
    const std::u16string name = text::AnsiToWide(text::path::FileName(full));
    return text::Format(u"%s%s-%016llX.dsi", Prefix(root), name,
                        static_cast<unsigned long long>(Digest(full)));
}

std::u16string TDiscPaths::MediaInfoFile(std::u16string_view storageFile) {
    constexpr std::u16string_view kStorageExtension = u".dsi";
    const std::u16string_view stem =
        storageFile.ends_with(kStorageExtension)
            ? storageFile.substr(0, storageFile.size() - kStorageExtension.size())
            : storageFile;
    return std::u16string(stem) + u".Info.xml";
}
