#include "platform/win/RuntimeFolder.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace plat::win {

namespace {

std::string ChosenFolder() {
    if (const char* own = std::getenv("TOVRIN_RUNTIME_DIR"); own != nullptr && *own != '\0') {
        return own;
    }
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime == '/') {
        return std::string(runtime) + "/tovrin";
    }
    return "/tmp/tovrin-" + std::to_string(getuid());
}

// A folder another user owns or may enter could hand us someone else's sockets and locks.
bool IsPrivateFolder(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) {
        return false;
    }
    return S_ISDIR(info.st_mode) && info.st_uid == getuid() && (info.st_mode & 077) == 0;
}

} // namespace

std::string RuntimeFolder() {
    std::string folder = ChosenFolder();
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return {};
    }
    return IsPrivateFolder(folder) ? folder : std::string();
}

} // namespace plat::win
