#include "player/model/settings/FolderFiles.h"

#include "platform/text/CaseFold.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

std::vector<std::string> FolderFileNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator entry(folder.empty() ? "." : folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code statusError;
        if (entry->is_regular_file(statusError)) {
            names.push_back(entry->path().filename().string());
        }
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int order = plat::text::CompareNoCaseA(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

bool EndsWithNoCase(std::string_view name, std::string_view suffix) {
    return name.size() >= suffix.size() &&
           plat::text::EqualsNoCaseA(name.substr(name.size() - suffix.size()), suffix);
}
