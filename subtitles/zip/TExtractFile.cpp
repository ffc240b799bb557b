#include "subtitles/zip/TExtractFile.h"
#include "foundation/FileIo.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TExtractFile::~TExtractFile() {
    Discard();
    if (folderFd_ >= 0) {
        ::close(folderFd_);
    }
}

TZipError TExtractFile::Begin(const std::string& folder, const std::vector<std::string>& components) {
    if (components.empty()) {
        return TZipError::UnsafeName;
    }
    folderFd_ = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd_ < 0) {
        return TZipError::CannotWriteFile;
    }
    for (std::size_t i = 0; i + 1 < components.size(); ++i) {
        if (const TZipError error = EnterFolder(components[i]); error != TZipError::None) {
            return error;
        }
    }
    finalName_ = components.back();
    return CreateTemporary() ? TZipError::None : TZipError::CannotWriteFile;
}

TZipError TExtractFile::EnterFolder(const std::string& name) {
    constexpr int kFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    int next = ::openat(folderFd_, name.c_str(), kFlags);
    if (next < 0 && errno == ENOENT && (::mkdirat(folderFd_, name.c_str(), 0777) == 0 || errno == EEXIST)) {
        next = ::openat(folderFd_, name.c_str(), kFlags);
    }
    if (next < 0) {
        struct stat st {};
        const bool isLink =
            ::fstatat(folderFd_, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode);
        return isLink ? TZipError::UnsafeName : TZipError::CannotWriteFile;
    }
    ::close(folderFd_);
    folderFd_ = next;
    return TZipError::None;
}

bool TExtractFile::CreateTemporary() {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryName_ = ".extract-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        fileFd_ = ::openat(folderFd_, temporaryName_.c_str(),
                           O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fileFd_ >= 0 || errno != EEXIST) {
            break;
        }
    }
    if (fileFd_ < 0) {
        temporaryName_.clear();
        return false;
    }
    return true;
}

bool TExtractFile::Write(const char* data, std::size_t size) {
    return fileio::WriteAll(fileFd_, data, size);
}

bool TExtractFile::Commit() {
    const bool synced = ::fsync(fileFd_) == 0;
    const bool closed = ::close(fileFd_) == 0;
    fileFd_ = -1;
    if (!synced || !closed ||
        ::renameat(folderFd_, temporaryName_.c_str(), folderFd_, finalName_.c_str()) != 0) {
        Discard();
        return false;
    }
    temporaryName_.clear();
    return true;
}

void TExtractFile::Discard() {
    if (fileFd_ >= 0) {
        ::close(fileFd_);
        fileFd_ = -1;
    }
    if (!temporaryName_.empty()) {
        ::unlinkat(folderFd_, temporaryName_.c_str(), 0);
        temporaryName_.clear();
    }
}
