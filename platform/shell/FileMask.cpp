#include "platform/shell/FileMask.h"

#include "platform/text/CaseFold.h"
#include "platform/text/Path.h"
#include "platform/text/Unicode.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace plat::shell {
namespace {

std::u32string Folded(std::string_view text) {
    const std::string folded = plat::text::FoldCaseA(text);
    std::u32string out;
    out.reserve(folded.size());
    for (std::size_t at = 0; at < folded.size();) {
        const plat::text::unicode::Step step = plat::text::unicode::DecodeUtf8(folded, at);
        out.push_back(step.cp);
        at += step.length;
    }
    return out;
}

// Iterative wildcard matching with one backtrack point: linear in practice, never recursive.
bool Match(const std::u32string& name, const std::u32string& mask) {
    std::size_t n = 0;
    std::size_t m = 0;
    std::size_t starMask = std::u32string::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == U'?' || mask[m] == name[n])) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == U'*') {
            starMask = m++;
            starName = n;
        } else if (starMask != std::u32string::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == U'*') {
        ++m;
    }
    return m == mask.size();
}

} // namespace

bool MatchesMask(std::string_view name, std::string_view mask) {
    const std::u32string foldedName = Folded(name);
    const std::u32string foldedMask = Folded(mask);
    if (Match(foldedName, foldedMask)) {
        return true;
    }
    // "name.*" also finds "name": the dot and extension are optional.
    const bool dotStar = foldedMask.size() >= 2 && foldedMask.ends_with(U".*");
    return dotStar && foldedName.find(U'.') == std::u32string::npos &&
           Match(foldedName, foldedMask.substr(0, foldedMask.size() - 2));
}

MaskMatches FindMatches(std::string_view maskWithFolder, bool foldersToo) {
    namespace fs = std::filesystem;
    const std::string mask = plat::text::path::FileName(maskWithFolder);
    std::string folder = plat::text::path::Normalize(plat::text::path::Folder(maskWithFolder));
    std::error_code error;
    MaskMatches found{
        fs::absolute(folder.empty() ? fs::path(".") : fs::path(folder), error).lexically_normal().string(),
        {}};
    if (mask.empty()) {
        return found;
    }
    for (fs::directory_iterator it(found.Folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        const bool isFolder = it->is_directory(error);
        if ((foldersToo || !isFolder) && MatchesMask(name, mask)) {
            found.Names.push_back(name);
        }
    }
    std::sort(found.Names.begin(), found.Names.end(), [](const std::string& a, const std::string& b) {
        return plat::text::CompareNoCaseA(a, b) < 0;
    });
    return found;
}

} // namespace plat::shell
