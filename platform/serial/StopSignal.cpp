#include "platform/serial/StopSignal.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace plat::serial {

StopSignal::StopSignal() : Fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

StopSignal::~StopSignal() {
    if (Fd_ >= 0) {
        close(Fd_);
    }
}

void StopSignal::Set() {
    Flag.store(true, std::memory_order_release);
    const std::uint64_t one = 1;
    // A full counter is still readable, so a failed write loses nothing.
    [[maybe_unused]] const ssize_t written = write(Fd_, &one, sizeof one);
}

void StopSignal::Clear() {
    Flag.store(false, std::memory_order_release);
    std::uint64_t count = 0;
    // Empties the counter; an empty one answers EAGAIN, which is the state wanted.
    [[maybe_unused]] const ssize_t got = read(Fd_, &count, sizeof count);
}

} // namespace plat::serial
