#include "subtitles/decoders/TNewScriptLoader.h"

#include "platform/text/CodePage.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), AsciiLower);
    return text;
}

bool IsPluginFileName(const std::string& name) {
    const std::string lowered = Lowered(name);
    return lowered.size() > 7 && lowered.starts_with("scr_") && lowered.ends_with(".so");
}

// The plug-in files of the folder, in name order so that load order does not depend on the file
// system.
std::vector<std::string> PluginFiles(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (IsPluginFileName(name) && it->is_regular_file(error)) {
            files.push_back(it->path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

int32_t TNewScriptLoader::LoadFolder(const std::string& folder) {
    int32_t loaded = 0;
    for (const std::string& file : PluginFiles(folder)) {
        TLoaderItems* item = FItems.Add();
        if (item->Load(file)) {
            ++loaded;
        } else {
            FItems.Delete(item);
        }
    }
    return loaded;
}

bool TNewScriptLoader::SelectCompatible(std::u16string_view type, const char* extra, int32_t extraLength) {
    const std::string text = plat::text::WideToAnsi(type);
    for (TLoaderItems* item = FItems.Head; item != nullptr; item = item->Next) {
        if (!item->HasDecodeAdv() &&
            item->IsCompatible(text.c_str(), static_cast<int32_t>(text.size()), extra, extraLength) != 0) {
            FItems.Current = item;
            return true;
        }
    }
    return false;
}

bool TNewScriptLoader::SelectCatchAll() {
    for (TLoaderItems* item = FItems.Head; item != nullptr; item = item->Next) {
        if (item->HasDecodeAdv()) {
            FItems.Current = item;
            return true;
        }
    }
    return false;
}

int32_t TNewScriptLoader::Decode(const void* data, int32_t size, void** text, int32_t* textSize,
                                 char** advanced, int32_t* advancedLength) const {
    return FItems.Current != nullptr
               ? FItems.Current->Decode(data, size, text, textSize, advanced, advancedLength)
               : 0;
}

int32_t TNewScriptLoader::FreeBuffer(void** text, char** advanced) const {
    return FItems.Current != nullptr ? FItems.Current->FreeBuffer(text, advanced) : 0;
}

int32_t TNewScriptLoader::ShowAdvanced(plat::win::HWND parent, char** advanced, int32_t* advancedLength) {
    if (FItems.Current == nullptr) {
        return 0;
    }
    char* const given = advanced != nullptr ? *advanced : nullptr;
    const int32_t result = FItems.Current->ShowAdvanced(parent, advanced, advancedLength);
    if (advanced != nullptr && *advanced != nullptr && *advanced != given) {
        FHandedOut.emplace_back(*advanced, FItems.Current);
    }
    return result;
}

int32_t TNewScriptLoader::FreeAdvanced(char** advanced) {
    if (advanced == nullptr || *advanced == nullptr) {
        return 0;
    }
    const auto found = std::find_if(FHandedOut.begin(), FHandedOut.end(),
                                    [advanced](const auto& entry) { return entry.first == *advanced; });
    if (found == FHandedOut.end()) {
        return 0;
    }
    const TLoaderItems* plugin = found->second;
    FHandedOut.erase(found);
    return plugin->FreeBuffer(nullptr, advanced);
}

int32_t TNewScriptLoader::Clear() {
    // Settings still out go with their libraries.
    FHandedOut.clear();
    return FItems.Clear();
}
