#pragma once
// A named mutex shared by the processes of one user: a lock file in the runtime folder held with
// flock. Taking it is one atomic step, and the kernel releases it when the holder dies, so a crashed
// program never blocks the next start.
#include <memory>
#include <string>
#include <string_view>

namespace plat::win {

class NamedMutex {
public:
    enum class Result { Acquired, HeldElsewhere, Failed };

    // Tries to take the mutex without waiting. The name must be a plain file name.
    static Result TryAcquire(std::string_view name, std::unique_ptr<NamedMutex>* held);

    ~NamedMutex();
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

private:
    explicit NamedMutex(int fd) : fd_(fd) {}

    int fd_;
};

} // namespace plat::win
