#pragma once
// A stop request that a thread blocked in poll() sees at once: a flag plus an event descriptor that
// becomes readable when the flag is set.
#include <atomic>

namespace plat::serial {

class StopSignal {
public:
    StopSignal();
    ~StopSignal();
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    // False when the system gave no event descriptor (errno tells why); the signal is then unusable.
    bool IsValid() const { return Fd_ >= 0; }
    void Set();
    void Clear();
    bool IsSet() const { return Flag.load(std::memory_order_acquire); }
    // Readable while the signal is set; for poll() next to the descriptor being waited on.
    int Fd() const { return Fd_; }

private:
    std::atomic<bool> Flag{false};
    int Fd_ = -1;
};

} // namespace plat::serial
