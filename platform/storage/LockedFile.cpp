#include "platform/storage/LockedFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace plat::storage {

namespace {

using Clock = std::chrono::steady_clock;

// Longest pause between two attempts to take a lock.
constexpr std::chrono::milliseconds kMaxPollPause{8};

bool SameFile(int fd, const std::string& path) {
    struct stat held {};
    struct stat named {};
    return ::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
           held.st_ino == named.st_ino;
}

// Takes the lock, polling until the deadline. 0, or the errno (EWOULDBLOCK when the time ran out).
int TakeLock(int fd, int operation, Clock::time_point deadline) {
    std::chrono::milliseconds pause{1};
    while (::flock(fd, operation | LOCK_NB) != 0) {
        const int error = errno;
        if (error == EINTR) {
            continue;
        }
        if (error != EWOULDBLOCK || Clock::now() >= deadline) {
            return error;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, kMaxPollPause);
    }
    return 0;
}

bool WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t put = ::write(fd, content.data(), content.size());
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

void CloseFd(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

} // namespace

LockedFile::~LockedFile() {
    Close();
}

void LockedFile::Close() {
    CloseFd(fd_);
}

StorageError LockedFile::Open(const std::string& path, Lock lock, unsigned waitMs) {
    Close();
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(waitMs);
    const int operation = lock == Lock::Shared ? LOCK_SH : LOCK_EX;
    for (;;) {
        // Without O_NONBLOCK a fifo in place of the file would block the open.
        int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) {
            return errno == ENOENT ? StorageError::NotFound : StorageError::IoError;
        }
        struct stat st {};
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            CloseFd(fd);
            return StorageError::IoError;
        }
        const int error = TakeLock(fd, operation, deadline);
        if (error == 0 && SameFile(fd, path)) {
            path_ = path;
            fd_ = fd;
            return StorageError::None;
        }
        CloseFd(fd);
        if (error != 0) {
            return error == EWOULDBLOCK ? StorageError::Locked : StorageError::IoError;
        }
        // The file was replaced (or removed) while we waited: take the one the path names now.
        if (Clock::now() >= deadline) {
            return StorageError::Locked;
        }
    }
}

int LockedFile::WriteBeside(std::string_view content, unsigned mode, std::string& tempPath) const {
    static std::atomic<unsigned> counter{0};
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        tempPath = path_ + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        fd = ::open(tempPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0 && errno != EEXIST) {
            return -1;
        }
    }
    if (fd < 0) {
        return -1;
    }
    // Nobody else knows the new file yet, so its lock is free; it is taken before the file is named.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !WriteAll(fd, content) || ::fsync(fd) != 0) {
        CloseFd(fd);
        ::unlink(tempPath.c_str());
        return -1;
    }
    return fd;
}

StorageError LockedFile::Create(const std::string& path, std::string_view content) {
    Close();
    path_ = path;
    std::string tempPath;
    int fd = WriteBeside(content, 0666, tempPath);
    if (fd < 0) {
        return StorageError::WriteFailed;
    }
    // link() names the new file only when no file of that name exists, so a file another opener made
    // meanwhile is never replaced.
    const int linked = ::link(tempPath.c_str(), path.c_str());
    const int error = errno;
    ::unlink(tempPath.c_str());
    if (linked != 0) {
        CloseFd(fd);
        return error == EEXIST ? StorageError::NotFound : StorageError::WriteFailed;
    }
    fd_ = fd;
    return StorageError::None;
}

StorageError LockedFile::Read(std::string& bytes, std::size_t maxBytes) const {
    struct stat held {};
    if (fd_ < 0 || ::fstat(fd_, &held) != 0) {
        return StorageError::IoError;
    }
    if (static_cast<std::uint64_t>(held.st_size) > maxBytes) {
        return StorageError::TooLarge;
    }
    std::string content(static_cast<std::size_t>(held.st_size), '\0');
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t got =
            ::pread(fd_, content.data() + done, content.size() - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return StorageError::IoError;
        }
        done += static_cast<std::size_t>(got);
    }
    bytes = std::move(content);
    return StorageError::None;
}

StorageError LockedFile::Replace(std::string_view content) {
    struct stat held {};
    if (fd_ < 0 || ::fstat(fd_, &held) != 0) {
        return StorageError::NotOpen;
    }
    std::string tempPath;
    int fd = WriteBeside(content, held.st_mode & 07777, tempPath);
    // The replacement keeps the old file's permissions, whatever the umask.
    if (fd >= 0 && ::fchmod(fd, held.st_mode & 07777) == 0 &&
        ::rename(tempPath.c_str(), path_.c_str()) == 0) {
        CloseFd(fd_);
        fd_ = fd;
        return StorageError::None;
    }
    if (fd >= 0) {
        CloseFd(fd);
        ::unlink(tempPath.c_str());
    }
    return StorageError::WriteFailed;
}

} // namespace plat::storage
