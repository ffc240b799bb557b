#include "platform/audio/DoneNotifier.h"

namespace plat::audio {

DoneNotifier::DoneNotifier(WaveOut::DoneHandler handler)
    : handler_(std::move(handler)), thread_([this] { Run(); }) {}

DoneNotifier::~DoneNotifier() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void DoneNotifier::Post(std::uintptr_t user, std::uint64_t serial) {
    {
        std::lock_guard lock(mutex_);
        waiting_.emplace_back(user, serial);
    }
    wake_.notify_one();
}

void DoneNotifier::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
        if (waiting_.empty()) {
            return;
        }
        const auto [user, serial] = waiting_.front();
        waiting_.pop_front();
        lock.unlock();
        if (handler_) {
            handler_(user, serial);
        }
        lock.lock();
    }
}

} // namespace plat::audio
