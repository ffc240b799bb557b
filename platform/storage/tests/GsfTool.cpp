#include "platform/storage/tests/GsfTool.h"

#include <cstdio>
#include <sstream>
#include <sys/wait.h>

namespace {

std::string Quote(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// The program's standard output; nothing when it cannot run or exits with a failure.
std::optional<std::string> Run(const std::string& command) {
    FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) {
        return std::nullopt;
    }
    std::string out;
    char chunk[4096];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) {
        out.append(chunk, got);
    }
    const int status = ::pclose(pipe);
    if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return std::nullopt;
    }
    return out;
}

} // namespace

bool GsfTool::Available() {
    return Run("gsf --version").has_value();
}

std::optional<std::vector<GsfTool::Entry>> GsfTool::List(const std::string& file) {
    const std::optional<std::string> out = Run("gsf list " + Quote(file));
    if (!out) {
        return std::nullopt;
    }
    // Lines: "<f|d> [date time] <size> <path>", after a first line naming the file (paths without spaces).
    std::vector<Entry> entries;
    std::istringstream lines(*out);
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string kind;
        fields >> kind;
        std::vector<std::string> rest;
        for (std::string field; fields >> field;) {
            rest.push_back(field);
        }
        if ((kind != "f" && kind != "d") || rest.size() < 2) {
            return std::nullopt;
        }
        const std::string path = rest.back();
        if (kind == "d" && path == "*root*") {
            continue;
        }
        entries.push_back({kind == "d", std::stoull(rest[rest.size() - 2]), path});
    }
    return entries;
}

std::optional<std::string> GsfTool::Cat(const std::string& file, const std::string& member) {
    return Run("gsf cat " + Quote(file) + " " + Quote(member));
}
