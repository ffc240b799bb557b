#include "foundation/FileIo.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fileio {

namespace {

constexpr std::uint64_t kMaxFileSize = 0xFFFFFFFFull; // sizes are kept in 32 bits

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes now and reports whether the close succeeded (write errors may surface only here).
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool ReadAll(int fd, std::string& out) {
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got == 0) {
            return true;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (out.size() + static_cast<std::size_t>(got) > kMaxFileSize) {
            return false;
        }
        out.append(chunk, static_cast<std::size_t>(got));
    }
}

// Creates a fresh file next to `path`; the name is the target's plus a suffix unique to this call.
// Whether the file at the path has exactly these bytes (read only when the size matches).
bool HoldsExactly(const char* path, const void* data, std::size_t size) {
    struct stat st {};
    std::string bytes;
    return ::stat(path, &st) == 0 && S_ISREG(st.st_mode) && static_cast<std::uint64_t>(st.st_size) == size &&
           ReadWholeFile(path, bytes) && bytes.size() == size &&
           (size == 0 || std::memcmp(bytes.data(), data, size) == 0);
}

int CreateTemp(const std::string& path, std::string& tempPath) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

} // namespace

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t put = ::write(fd, data, size);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

bool ReadWholeFile(const char* path, std::string& bytes) {
    Fd fd(::open(path, O_RDONLY | O_CLOEXEC));
    struct stat st {};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 ||
        static_cast<std::uint64_t>(st.st_size) > kMaxFileSize) {
        return false;
    }
    std::string content;
    content.reserve(static_cast<std::size_t>(st.st_size));
    if (!ReadAll(fd.get(), content)) {
        return false;
    }
    bytes = std::move(content);
    return true;
}

bool WriteWholeFile(const char* path, const void* data, std::size_t size) {
    if (HoldsExactly(path, data, size)) {
        return true;
    }
    std::string tempPath;
    Fd fd(CreateTemp(path, tempPath));
    if (fd.get() < 0) {
        return false;
    }
    struct stat old {};
    if (::stat(path, &old) == 0) {
        ::fchmod(fd.get(), old.st_mode & 07777); // the replacement keeps the old file's permissions
    }
    const bool written = WriteAll(fd.get(), static_cast<const char*>(data), size) && ::fsync(fd.get()) == 0;
    if (fd.Close() && written && ::rename(tempPath.c_str(), path) == 0) {
        return true;
    }
    ::unlink(tempPath.c_str());
    return false;
}

} // namespace fileio
