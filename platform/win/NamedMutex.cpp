#include "platform/win/NamedMutex.h"

#include "platform/win/RuntimeFolder.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace plat::win {

NamedMutex::Result NamedMutex::TryAcquire(std::string_view name, std::unique_ptr<NamedMutex>* held) {
    held->reset();
    if (name.empty() || name.find('/') != std::string_view::npos || name == "." || name == "..") {
        return Result::Failed;
    }
    const std::string folder = RuntimeFolder();
    if (folder.empty()) {
        return Result::Failed;
    }
    const std::string path = folder + "/" + std::string(name) + ".lock";
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        return Result::Failed;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool busy = errno == EWOULDBLOCK;
        close(fd);
        return busy ? Result::HeldElsewhere : Result::Failed;
    }
    held->reset(new NamedMutex(fd));
    return Result::Acquired;
}

NamedMutex::~NamedMutex() {
    close(fd_); // releases the lock; the file stays for the next holder
}

} // namespace plat::win
