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
    const std::u16string name = text::AnsiToWide(text::path::FileName(text::WideToAnsi(mediaPath)));
    return text::Format(u"%s%s.dsi", Prefix(root), name);
}
