#pragma once
// An audio output for tests that plays nothing by itself: the test completes queued blocks and sets
// the position by hand. Done notices run on the thread that completes, resets or closes.
#include "platform/audio/WaveOut.h"

#include <deque>
#include <mutex>
#include <vector>

namespace plat::audio {

class ManualWaveOut : public WaveOut {
public:
    struct Block {
        std::vector<std::uint8_t> bytes; // a copy of what was written
        std::uintptr_t user;
        std::uint64_t serial;
    };

    bool Open(const WaveFormat& format, DoneHandler onDone) override;
    std::uint64_t Write(const std::uint8_t* data, std::size_t length, std::uintptr_t user) override;
    void Pause() override;
    void Restart() override;
    void Reset() override;
    std::optional<std::uint64_t> PositionBytes() override;
    void Close() override;

    // Plays the oldest queued block to its end: the position moves past it and its done notice
    // runs. False when nothing is queued.
    bool CompleteOne();
    void SetPositionBytes(std::uint64_t position);
    // Refuses the next Open (a device that does not take the format).
    void RefuseOpen(bool refuse);

    bool IsOpen() const;
    bool IsPaused() const;
    int ResetCount() const;
    std::vector<Block> Queued() const;
    // Every block written since the output was made, in order.
    std::vector<Block> Written() const;
    WaveFormat Format() const;

private:
    // Runs the done notices of the blocks without holding the lock.
    void Finish(std::deque<Block> blocks);

    mutable std::mutex mutex_;
    DoneHandler onDone_;
    WaveFormat format_;
    bool open_ = false;
    bool paused_ = false;
    bool refuseOpen_ = false;
    int resets_ = 0;
    std::uint64_t position_ = 0;
    std::uint64_t nextSerial_ = 1;
    std::deque<Block> queued_;
    std::vector<Block> written_;
};

} // namespace plat::audio
