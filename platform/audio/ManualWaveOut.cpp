#include "platform/audio/ManualWaveOut.h"

namespace plat::audio {

bool ManualWaveOut::Open(const WaveFormat& format, DoneHandler onDone) {
    std::lock_guard lock(mutex_);
    if (refuseOpen_) {
        return false;
    }
    format_ = format;
    onDone_ = std::move(onDone);
    open_ = true;
    paused_ = false;
    position_ = 0;
    return true;
}

std::uint64_t ManualWaveOut::Write(const std::uint8_t* data, std::size_t length, std::uintptr_t user) {
    std::lock_guard lock(mutex_);
    if (!open_ || length == 0) {
        return 0;
    }
    Block block{std::vector<std::uint8_t>(data, data + length), user, nextSerial_++};
    queued_.push_back(block);
    written_.push_back(std::move(block));
    return written_.back().serial;
}

void ManualWaveOut::Pause() {
    std::lock_guard lock(mutex_);
    paused_ = open_;
}

void ManualWaveOut::Restart() {
    std::lock_guard lock(mutex_);
    paused_ = false;
}

void ManualWaveOut::Reset() {
    std::deque<Block> dropped;
    {
        std::lock_guard lock(mutex_);
        dropped.swap(queued_);
        position_ = 0;
        ++resets_;
    }
    Finish(std::move(dropped));
}

std::optional<std::uint64_t> ManualWaveOut::PositionBytes() {
    std::lock_guard lock(mutex_);
    return open_ ? std::optional<std::uint64_t>(position_) : std::nullopt;
}

void ManualWaveOut::Close() {
    Reset();
    std::lock_guard lock(mutex_);
    open_ = false;
    paused_ = false;
}

bool ManualWaveOut::CompleteOne() {
    std::deque<Block> done;
    {
        std::lock_guard lock(mutex_);
        if (queued_.empty()) {
            return false;
        }
        position_ += queued_.front().bytes.size();
        done.push_back(std::move(queued_.front()));
        queued_.pop_front();
    }
    Finish(std::move(done));
    return true;
}

void ManualWaveOut::Finish(std::deque<Block> blocks) {
    DoneHandler onDone;
    {
        std::lock_guard lock(mutex_);
        onDone = onDone_;
    }
    for (const Block& block : blocks) {
        if (onDone) {
            onDone(block.user, block.serial);
        }
    }
}

void ManualWaveOut::SetPositionBytes(std::uint64_t position) {
    std::lock_guard lock(mutex_);
    position_ = position;
}

void ManualWaveOut::RefuseOpen(bool refuse) {
    std::lock_guard lock(mutex_);
    refuseOpen_ = refuse;
}

bool ManualWaveOut::IsOpen() const {
    std::lock_guard lock(mutex_);
    return open_;
}

bool ManualWaveOut::IsPaused() const {
    std::lock_guard lock(mutex_);
    return paused_;
}

int ManualWaveOut::ResetCount() const {
    std::lock_guard lock(mutex_);
    return resets_;
}

std::vector<ManualWaveOut::Block> ManualWaveOut::Queued() const {
    std::lock_guard lock(mutex_);
    return {queued_.begin(), queued_.end()};
}

std::vector<ManualWaveOut::Block> ManualWaveOut::Written() const {
    std::lock_guard lock(mutex_);
    return written_;
}

WaveFormat ManualWaveOut::Format() const {
    std::lock_guard lock(mutex_);
    return format_;
}

} // namespace plat::audio
