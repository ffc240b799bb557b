#include "platform/shell/MimeAppsList.h"

#include <algorithm>

namespace plat::shell {
namespace {

std::string_view Trimmed(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(" \t\r");
    if (begin == std::string_view::npos) {
        return {};
    }
    return text.substr(begin, text.find_last_not_of(" \t\r") - begin + 1);
}

bool IsHeader(std::string_view line) {
    line = Trimmed(line);
    return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

std::string_view KeyOf(std::string_view line) {
    const std::size_t equals = line.find('=');
    return equals == std::string_view::npos ? std::string_view() : Trimmed(line.substr(0, equals));
}

std::vector<std::string> SplitList(std::string_view value) {
    std::vector<std::string> items;
    for (std::size_t begin = 0; begin <= value.size();) {
        const std::size_t end = std::min(value.find(';', begin), value.size());
        const std::string_view item = Trimmed(value.substr(begin, end - begin));
        if (!item.empty()) {
            items.emplace_back(item);
        }
        begin = end + 1;
    }
    return items;
}

void Erase(std::vector<std::string>& ids, const std::string& id) {
    ids.erase(std::remove(ids.begin(), ids.end(), id), ids.end());
}

} // namespace

bool MimeAppsList::Parse(std::string_view text) {
    if (text.size() > kMaxSize) {
        return false;
    }
    Lines.clear();
    for (std::size_t begin = 0; begin < text.size();) {
        const std::size_t end = std::min(text.find('\n', begin), text.size());
        Lines.emplace_back(text.substr(begin, end - begin));
        begin = end + 1;
    }
    return true;
}

std::string MimeAppsList::Text() const {
    std::string text;
    for (const std::string& line : Lines) {
        text += line;
        text += '\n';
    }
    return text;
}

std::size_t MimeAppsList::FindGroup(std::string_view group) const {
    for (std::size_t index = 0; index < Lines.size(); ++index) {
        const std::string_view line = Trimmed(Lines[index]);
        if (IsHeader(line) && line.substr(1, line.size() - 2) == group) {
            return index;
        }
    }
    return std::string::npos;
}

std::size_t MimeAppsList::FindKey(std::string_view group, const std::string& key) const {
    const std::size_t header = FindGroup(group);
    if (header == std::string::npos) {
        return std::string::npos;
    }
    for (std::size_t index = header + 1; index < Lines.size() && !IsHeader(Lines[index]); ++index) {
        if (KeyOf(Lines[index]) == key) {
            return index;
        }
    }
    return std::string::npos;
}

std::vector<std::string> MimeAppsList::Applications(std::string_view group,
                                                    const std::string& mimeType) const {
    const std::size_t index = FindKey(group, mimeType);
    if (index == std::string::npos) {
        return {};
    }
    const std::string_view line = Lines[index];
    return SplitList(line.substr(line.find('=') + 1));
}

void MimeAppsList::SetApplications(std::string_view group, const std::string& mimeType,
                                   const std::vector<std::string>& ids) {
    const std::size_t index = FindKey(group, mimeType);
    if (ids.empty()) {
        if (index != std::string::npos) {
            Lines.erase(Lines.begin() + static_cast<std::ptrdiff_t>(index));
        }
        return;
    }
    std::string line = mimeType + '=';
    for (const std::string& id : ids) {
        line += id + ';';
    }
    if (index != std::string::npos) {
        Lines[index] = line;
        return;
    }
    std::size_t header = FindGroup(group);
    if (header == std::string::npos) {
        if (!Lines.empty() && !Trimmed(Lines.back()).empty()) {
            Lines.emplace_back();
        }
        Lines.push_back('[' + std::string(group) + ']');
        header = Lines.size() - 1;
    }
    // After the group's last non-blank line.
    std::size_t at = header + 1;
    for (std::size_t index2 = header + 1; index2 < Lines.size() && !IsHeader(Lines[index2]); ++index2) {
        if (!Trimmed(Lines[index2]).empty()) {
            at = index2 + 1;
        }
    }
    Lines.insert(Lines.begin() + static_cast<std::ptrdiff_t>(at), line);
}

void MimeAppsList::SetDefault(const std::string& mimeType, const std::string& desktopId) {
    for (const char* group : {kDefaults, kAdded}) {
        std::vector<std::string> ids = Applications(group, mimeType);
        Erase(ids, desktopId);
        ids.insert(ids.begin(), desktopId);
        SetApplications(group, mimeType, ids);
    }
    std::vector<std::string> removed = Applications(kRemoved, mimeType);
    Erase(removed, desktopId);
    SetApplications(kRemoved, mimeType, removed);
}

void MimeAppsList::RemoveDefault(const std::string& mimeType, const std::string& desktopId) {
    for (const char* group : {kDefaults, kAdded}) {
        std::vector<std::string> ids = Applications(group, mimeType);
        Erase(ids, desktopId);
        SetApplications(group, mimeType, ids);
    }
}

} // namespace plat::shell
