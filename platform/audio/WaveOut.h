#pragma once
// An audio output that plays blocks of PCM in the order they are written and tells when each block
// is done with. The caller keeps every written block's memory unchanged until its done notice.
//
// What "done" means depends on the output: for the GStreamer output it is "the sink has taken the
// whole block" which, with a sound server, is when the block's last bytes have been copied into the
// server's buffer, a fraction of a second before they are heard (not when they have been played).
// Position, in contrast, is what the sink reports as played.
#include "platform/audio/WaveFormat.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

namespace plat::audio {

class WaveOut {
public:
    // `user` is the value given to Write and `serial` the number Write answered for the block.
    // Runs on a thread of the output's own, or on the thread that calls Reset or Close. It may
    // write the next block; it must not reset or close the output.
    using DoneHandler = std::function<void(std::uintptr_t user, std::uint64_t serial)>;

    virtual ~WaveOut() = default;

    // Opens the output for the format (playing, with nothing queued). False when the format or the
    // device is refused; the output is then closed.
    virtual bool Open(const WaveFormat& format, DoneHandler onDone) = 0;
    // Queues a block behind those already written. Answers its serial number (never 0), or 0 when
    // the output is closed or the block is empty.
    virtual std::uint64_t Write(const std::uint8_t* data, std::size_t length, std::uintptr_t user) = 0;
    virtual void Pause() = 0;
    virtual void Restart() = 0;
    // Drops every queued block (each gets its done notice, possibly after Reset returns) and moves
    // the position back to 0. A paused output stays paused.
    virtual void Reset() = 0;
    // Bytes played since the output was opened or last reset; nothing while closed.
    virtual std::optional<std::uint64_t> PositionBytes() = 0;
    // Resets and closes; done notices have all been delivered when it returns. Not to be called
    // while holding a lock that the done handler takes.
    virtual void Close() = 0;
};

} // namespace plat::audio
