#include "player/model/shell/ShellFiles.h"

#include "foundation/TMemoryObject.h"
#include "platform/shell/FileMask.h"
#include "platform/text/CodePage.h"
#include "platform/text/Path.h"
#include "player/model/storage/CreateFolderOfFile.h"

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

void DeleteFilesA(const char* mask) {
    if (!mask) {
        return;
    }
    const plat::shell::MaskMatches found = plat::shell::FindMatches(mask, false);
    for (const std::string& name : found.Names) {
        ::unlink(plat::text::path::Join(found.Folder, name).c_str());
    }
}

void DeleteFilesW(const char16_t* mask) {
    if (mask) {
        DeleteFilesA(plat::text::WideToAnsi(mask).c_str());
    }
}

void CreateParentFolder(std::u16string_view path) {
    CreateFolderOfFile(path);
}

bool FileExistsW(const char16_t* path) {
    struct stat info {};
    return path && path[0] && ::stat(plat::text::WideToAnsi(path).c_str(), &info) == 0;
}

int FindFirstMatch(const char16_t* mask, TMemoryObject& buffer) {
    buffer.SetUsed(0);
    if (!mask) {
        return 0;
    }
    const plat::shell::MaskMatches found = plat::shell::FindMatches(plat::text::WideToAnsi(mask), true);
    if (found.Names.empty()) {
        return 0;
    }
    buffer.AppendString(plat::text::AnsiToWide(found.Names.front()).c_str());
    buffer.AppendNul();
    return 1;
}

bool IsDvdFolder(const char16_t* folder) {
    if (!folder || !folder[0]) {
        return false;
    }
    const std::optional<std::string> found =
        plat::text::path::FindNoCase(plat::text::WideToAnsi(folder), "VIDEO_TS");
    std::error_code error;
    return found && std::filesystem::is_directory(*found, error);
}
