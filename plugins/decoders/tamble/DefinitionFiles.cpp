#include "plugins/decoders/tamble/DefinitionFiles.h"

#include "platform/text/CaseFold.h"
#include "plugins/decoders/tamble/SubjectText.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

// Definition files are small; anything larger is no definition file.
constexpr std::uintmax_t kMaxDefinitionFile = 16 << 20;

std::vector<std::filesystem::path> DefinitionFiles(const std::string& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::filesystem::path& path = it->path();
        if (plat::text::EqualsNoCaseA(path.extension().string(), ".sdf") && it->is_regular_file(error)) {
            files.push_back(path);
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

int LoadDefinitionFolder(TFormatRegistry& registry, const std::string& folder) {
    int loaded = 0;
    for (const std::filesystem::path& file : DefinitionFiles(folder)) {
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(file, error);
        std::ifstream in(file, std::ios::binary);
        if (error || size > kMaxDefinitionFile || !in) {
            continue;
        }
        std::ostringstream bytes;
        bytes << in.rdbuf();
        const std::u16string text = SubjectText(bytes.str());
        if (!text.empty()) {
            registry.LoadDefinitions(text);
            ++loaded;
        }
    }
    return loaded;
}
