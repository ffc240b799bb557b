#pragma once
// The kernel's mount table in its mountinfo form (/proc/self/mountinfo): which file system is mounted
// where, and from which device. Mount points escape blanks, tabs, newlines and backslashes as three
// octal digits; they are given back decoded.
#include <optional>
#include <string>
#include <vector>

namespace plat::shell {

struct MountEntry {
    std::string MountPoint; // absolute, decoded
    std::string Device;     // "major:minor" of the mounted device
    std::string Source;     // what was mounted ("/dev/sr0"), decoded; empty when the line has none
};

// The entries of a mountinfo text; lines that are not well formed are skipped.
std::vector<MountEntry> ParseMountInfo(const std::string& text);

// The text of a mountinfo file, cut at 4 MiB; nothing when it cannot be read.
std::optional<std::string> ReadMountInfo(const std::string& path);

} // namespace plat::shell
