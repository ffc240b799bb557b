#pragma once
// File masks with the Windows rules, over a Linux file system: '*' stands for any run of characters,
// '?' for one character, names are compared without regard to case, and a mask ending in ".*" also
// finds names without that dot ("*.*" finds every name). A '*' or '?' in a name on disk is an
// ordinary character that masks match like any other.
#include <string>
#include <string_view>
#include <vector>

namespace plat::shell {

// Whether the name (UTF-8) matches the mask (UTF-8).
bool MatchesMask(std::string_view name, std::string_view mask);

// What a mask with its folder ("folder/*.tmp", '\' or '/') finds: the folder made absolute against
// the current folder, and the names in it that match, in case-insensitive order ("." and ".." never).
struct MaskMatches {
    std::string Folder;
    std::vector<std::string> Names;
};
// Names of every kind of entry with `foldersToo`, else of the entries that are not folders. A folder
// that cannot be read finds nothing.
MaskMatches FindMatches(std::string_view maskWithFolder, bool foldersToo);

} // namespace plat::shell
