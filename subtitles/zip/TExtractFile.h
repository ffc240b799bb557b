#pragma once
// One file being extracted below a target folder, which it never leaves: the folders on the way are
// opened without following links (and made when missing), the content goes to a temporary file in
// the final folder, and that file is renamed over the final name only when complete. A file not
// committed leaves nothing behind.
#include "subtitles/zip/TZipError.h"

#include <cstddef>
#include <string>
#include <vector>

class TExtractFile {
public:
    TExtractFile() = default;
    ~TExtractFile();
    TExtractFile(const TExtractFile&) = delete;
    TExtractFile& operator=(const TExtractFile&) = delete;

    // Prepares the file folder/components[0]/.../components[n-1]; the components are safe names
    // (no "..", no separators). UnsafeName when a folder on the way is a link, CannotWriteFile when
    // a folder cannot be opened or made or the temporary file cannot be created.
    TZipError Begin(const std::string& folder, const std::vector<std::string>& components);
    bool Write(const char* data, std::size_t size);
    // Makes the content durable and puts it in place; false (nothing left behind) on failure.
    bool Commit();

private:
    // Opens (making it when missing) the folder `name` inside the current one, in place of it.
    TZipError EnterFolder(const std::string& name);
    bool CreateTemporary();
    void Discard();

    int folderFd_ = -1;
    int fileFd_ = -1;
    std::string temporaryName_;
    std::string finalName_;
};
