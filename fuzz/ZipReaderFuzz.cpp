// Feeds arbitrary bytes to the zip reader as an archive held in memory, then lists, finds, reads and
// extracts its entries the way profile and skin loading does.
#include "subtitles/zip/TZipControl.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

// One folder for the whole run, emptied after each input and removed at exit.
class TExtractFolder {
public:
    TExtractFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zipfuzz-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TExtractFolder() { std::filesystem::remove_all(path_); }
    TExtractFolder(const TExtractFolder&) = delete;
    TExtractFolder& operator=(const TExtractFolder&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

const std::string& ExtractFolder() {
    static const TExtractFolder folder;
    return folder.Path();
}

void EmptyFolder(const std::string& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::filesystem::remove_all(entry.path());
    }
}

void ReadEntry(TZipControl& zip, const char* name) {
    char* buffer = nullptr;
    uint32_t size = 0;
    if (zip.ReadEntry(name, buffer, size)) {
        if (size == 0 || buffer[size] != 0 || buffer[size + 1] != 0) {
            std::abort(); // a read entry is never empty and always ends with two zero bytes
        }
        TZipControl::FreeBuffer(buffer);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TZipControl zip;
    if (!zip.OpenMemory(data, size)) {
        return 0;
    }
    for (int32_t i = 0; i < zip.GetEntryCount(); ++i) {
        const TZipEntry* entry = zip.GetEntry(i);
        if (entry->Index != i || ::strnlen(entry->Name, TZipEntry::kNameSize) == TZipEntry::kNameSize) {
            std::abort(); // records are numbered in order and their names terminated
        }
        const std::string name(entry->Name);
        TZipEntry record{};
        zip.FindEntry(name.c_str(), &record, true);
        zip.FindEntry(name.c_str(), nullptr, false);
        ReadEntry(zip, name.c_str());
    }
    if (zip.GetEntryCount() > 0) {
        const std::string& folder = ExtractFolder();
        zip.ExtractEntry(zip.GetEntry(0)->Name, folder.c_str());
        EmptyFolder(folder);
    }
    zip.Close();
    return 0;
}
