#include "platform/shell/MountTable.h"

#include <fcntl.h>
#include <unistd.h>

#include <sstream>

namespace plat::shell {

namespace {

constexpr std::size_t kMaxTableBytes = 4u << 20;

std::string Unescape(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string digits = field.substr(i + 1, 3);
            if (digits.find_first_not_of("01234567") == std::string::npos) {
                out += static_cast<char>(std::stoi(digits, nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

// The mount source: the field after the file system type, which follows the "-" separator.
std::string SourceOf(std::istringstream& fields) {
    std::string field;
    while (fields >> field && field != "-") {
    }
    std::string type, source;
    fields >> type >> source;
    return Unescape(source);
}

} // namespace

std::vector<MountEntry> ParseMountInfo(const std::string& text) {
    std::vector<MountEntry> entries;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string id, parent, device, root, point;
        if (fields >> id >> parent >> device >> root >> point && !point.empty() && point.front() == '/') {
            entries.push_back({Unescape(point), device, SourceOf(fields)});
        }
    }
    return entries;
}

std::optional<std::string> ReadMountInfo(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::string text;
    char buffer[8192];
    ssize_t size = 0;
    while ((size = read(fd, buffer, sizeof buffer)) > 0 && text.size() < kMaxTableBytes) {
        text.append(buffer, static_cast<std::size_t>(size));
    }
    close(fd);
    return text;
}

} // namespace plat::shell
