#include "platform/text/Path.h"

#include "platform/text/CaseFold.h"

#include <filesystem>

namespace plat::text::path {

namespace fs = std::filesystem;

namespace {

std::size_t LastSeparator(std::string_view path) {
    return path.find_last_of("/\\");
}

bool HasDriveLetter(std::string_view path) {
    const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    return path.size() >= 2 && isLetter(path[0]) && path[1] == ':' &&
           (path.size() == 2 || IsSeparator(path[2]));
}

// The position of the extension's dot, npos when there is none. A leading dot names a hidden file
// rather than starting an extension.
std::size_t ExtensionDot(std::string_view path) {
    const std::size_t sep = LastSeparator(path);
    const std::size_t nameStart = sep == std::string_view::npos ? 0 : sep + 1;
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot <= nameStart) {
        return std::string_view::npos;
    }
    return dot;
}

// The entry of folder named `name`: the exact name when it exists, else the smallest name (by
// bytes) equal without regard to case.
std::optional<std::string> MatchEntry(const std::string& folder, const std::string& name) {
    std::error_code ec;
    const fs::path dir(folder.empty() ? "." : folder);
    if (fs::exists(fs::symlink_status(dir / name, ec))) {
        return name;
    }
    std::optional<std::string> best;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (EqualsNoCaseA(entry, name) && (!best || entry < *best)) {
            best = std::move(entry);
        }
    }
    return best;
}

} // namespace

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

std::vector<std::string> Split(std::string_view path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start < path.size()) {
        std::size_t end = start;
        while (end < path.size() && !IsSeparator(path[end])) {
            ++end;
        }
        if (end > start) {
            parts.emplace_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return parts;
}

std::string Normalize(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (const char c : path) {
        if (!IsSeparator(c)) {
            out += c;
        } else if (out.empty() || out.back() != '/') {
            out += '/';
        }
    }
    return out;
}

std::string Join(std::string_view base, std::string_view relative) {
    if (base.empty() || IsAbsolute(relative)) {
        return Normalize(relative);
    }
    if (relative.empty()) {
        return Normalize(base);
    }
    std::string joined(base);
    joined += '/';
    joined += relative;
    return Normalize(joined);
}

bool IsAbsolute(std::string_view path) {
    return (!path.empty() && IsSeparator(path[0])) || HasDriveLetter(path);
}

std::string FileName(std::string_view path) {
    const std::size_t sep = LastSeparator(path);
    return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string Folder(std::string_view path) {
    std::size_t sep = LastSeparator(path);
    if (sep == std::string_view::npos) {
        return {};
    }
    while (sep > 0 && IsSeparator(path[sep - 1])) {
        --sep;
    }
    // The root folder keeps its separator.
    return std::string(sep == 0 ? path.substr(0, 1) : path.substr(0, sep));
}

std::string Extension(std::string_view path) {
    const std::size_t dot = ExtensionDot(path);
    return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

std::string StripExtension(std::string_view path) {
    return std::string(path.substr(0, ExtensionDot(path)));
}

std::optional<std::string> FindNoCase(std::string_view folder, std::string_view relative) {
    std::string current = IsAbsolute(relative) ? std::string("/") : Normalize(folder);
    // Components matched below the start, so that ".." removes one of them as Windows does.
    std::size_t matchedDepth = 0;
    for (const std::string& part : Split(relative)) {
        if (part == ".") {
            continue;
        }
        if (part == ".." && matchedDepth > 0) {
            current = Folder(current);
            --matchedDepth;
            continue;
        }
        const std::optional<std::string> entry = part == ".." ? part : MatchEntry(current, part);
        if (!entry) {
            return std::nullopt;
        }
        current = Join(current, *entry);
        matchedDepth += part == ".." ? 0 : 1;
    }
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(current.empty() ? "." : current, ec))) {
        return std::nullopt;
    }
    return current;
}

} // namespace plat::text::path
