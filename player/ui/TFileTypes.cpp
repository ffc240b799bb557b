#include "player/ui/TFileTypes.h"

#include "platform/shell/FileMask.h"
#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"
#include "platform/text/Path.h"

namespace {

constexpr std::size_t kExtensionWindow = 10;

constexpr std::string_view kTovrinMasks = "*.mov;*.avi;*.mod;*.dat;*.mpg;*.mpeg;*.zds;*.ds";
constexpr std::string_view kArchiveMasks = "*.zds";
constexpr std::string_view kProfileMasks = "*.ds";
constexpr std::string_view kMediaMasks = "*.mov;*.avi;*.mod;*.dat;*.mpg;*.mpeg";

bool IsMediaType(int32_t type) {
    return type == TFileTypes::kVideo || type == TFileTypes::kAudio || type == TFileTypes::kDiscImage ||
           type == TFileTypes::kPlaylist;
}

// The masks with "*" + extension added unless one of them already names it (without regard to case).
void AddMask(std::string& masks, const std::u16string& extension) {
    if (extension.size() < 2 || extension.front() != u'.' ||
        extension.find_first_of(u"*?;|") != std::u16string::npos) {
        return;
    }
    const std::string mask = "*" + plat::text::WideToAnsi(extension);
    std::size_t start = 0;
    while (start <= masks.size()) {
        const std::size_t end = std::min(masks.find(';', start), masks.size());
        if (plat::text::EqualsNoCaseA(std::string_view(masks).substr(start, end - start), mask)) {
            return;
        }
        start = end + 1;
    }
    masks += (masks.empty() ? "" : ";") + mask;
}

// Where the file's own name begins (after the last separator of either kind).
std::size_t NameStart(const std::u16string& file) {
    const std::size_t separator = file.find_last_of(u"/\\");
    return separator == std::u16string::npos ? 0 : separator + 1;
}

} // namespace

std::u16string TFileTypes::ExtensionOf(const std::u16string& file) {
    const std::size_t nameStart = NameStart(file);
    const std::size_t windowStart =
        file.size() > kExtensionWindow ? std::max(nameStart, file.size() - kExtensionWindow) : nameStart;
    const std::size_t dot = file.rfind(u'.');
    if (dot == std::u16string::npos || dot < windowStart) {
        return {};
    }
    return file.substr(dot);
}

int32_t TFileTypes::GetFileType(const std::vector<TExtensionEntry>& table, const std::u16string& extension) {
    if (extension.empty()) {
        return kNoType;
    }
    for (const TExtensionEntry& entry : table) {
        if (plat::text::EqualsNoCase(entry.Extension, extension)) {
            return entry.Type;
        }
    }
    return kNoType;
}

std::u16string TFileTypes::FindCompanionProfile(const std::vector<TExtensionEntry>& table,
                                                const std::u16string& mediaFile) {
    const std::size_t nameStart = NameStart(mediaFile);
    const std::u16string extension = ExtensionOf(mediaFile);
    const std::string stem = plat::text::WideToAnsi(
        mediaFile.substr(nameStart, mediaFile.size() - nameStart - extension.size()) + u".");
    const std::string folder =
        nameStart == 0 ? std::string(".") : plat::text::WideToAnsi(mediaFile.substr(0, nameStart));
    const plat::shell::MaskMatches listed =
        plat::shell::FindMatches(plat::text::path::Join(folder, "*"), false);
    for (const std::string& name : listed.Names) {
        if (name.size() <= stem.size() ||
            !plat::text::EqualsNoCaseA(std::string_view(name).substr(0, stem.size()), stem)) {
            continue;
        }
        const std::u16string candidate = plat::text::AnsiToWide(plat::text::path::Join(listed.Folder, name));
        if (GetFileType(table, ExtensionOf(candidate)) == kProfile) {
            return candidate;
        }
    }
    return {};
}

std::string TFileTypes::OpenDialogFilter(const std::vector<TExtensionEntry>& table) {
    std::string tovrin(kTovrinMasks);
    std::string profiles(kProfileMasks);
    std::string media(kMediaMasks);
    for (const TExtensionEntry& entry : table) {
        if (entry.Type == kProfile) {
            AddMask(tovrin, entry.Extension);
            if (!plat::text::EqualsNoCase(entry.Extension, u".zds")) {
                AddMask(profiles, entry.Extension);
            }
        } else if (IsMediaType(entry.Type)) {
            AddMask(tovrin, entry.Extension);
            AddMask(media, entry.Extension);
        }
    }
    return "All Tovrin files|" + tovrin + "|DVD Profiles Archive files|" + std::string(kArchiveMasks) +
           "|DVD Profiles files|" + profiles + "|All Media files|" + media + "|All files|*.*|";
}
