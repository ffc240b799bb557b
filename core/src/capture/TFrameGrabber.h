#pragma once
// The ring of the most recent video frames (orders 208 and 400).
//
// Threads: OnFrame runs on the media streaming thread; every other member runs on the host thread.
// One mutex guards the ring; it is held for one frame copy at a time. Setup and Release build or take
// the old ring apart outside the lock and free it only after the swap, so neither the streaming thread
// nor a reader ever sees freed memory.
//
// Slots hold a frame's rows bottom-up, as a device-independent bitmap keeps them.
//
// Frame pointers: ReadFrame copies the frame into a slot of the grabber's own. The pointer it hands out
// stays valid and unchanged until the next ReadFrame, Setup or Release; the streaming thread never
// writes there.
//
// Lifetime: the owner stops the calls of OnFrame before it destroys the grabber.
#include "core/src/capture/TFrameFormat.h"

#include <cstdint>
#include <mutex>
#include <vector>

enum class TCaptureStatus { Ok, BadFormat, BadCapacity, NoMemory, NoRing, NotInRing };

struct TCapturedFrame {
    std::uint32_t number = 0;
    std::uint32_t timeMs = 0; // stream time in milliseconds, truncated
    const std::uint8_t* pixels = nullptr;
    std::uint32_t byteSize = 0;
    TFrameFormat format;
};

class TFrameGrabber {
public:
    static constexpr std::uint32_t kMaxCapacity = 100000;
    static constexpr std::uint64_t kMaxRingBytes = std::uint64_t(1) << 30;
    static constexpr std::uint32_t kNumberMask = 0x7FFFFFFF; // bit 31 of a frame number is ignored

    // Starts recording capacity frames of the format from slot 0; on failure the old ring stays as it was.
    TCaptureStatus Setup(const TFrameFormat& format, std::uint32_t capacity);
    // Frees the ring and the read slot; recording stops until the next Setup.
    void Release();

    // A frame shown, at its stream time in 100 ns units: its rows top-down, `stride` bytes apart, `size`
    // bytes in all. Frames whose rows or row count differ from the recording's are dropped.
    void OnFrame(std::int64_t time, const std::uint8_t* data, std::size_t stride, std::size_t size);

    // Frame number 0 is the oldest one kept.
    TCaptureStatus ReadFrame(std::uint32_t number, TCapturedFrame* frame);

    std::uint64_t FramesWritten() const;

private:
    struct Ring {
        TFrameFormat format;
        std::uint32_t capacity = 0;
        std::uint64_t written = 0;
        std::vector<std::uint8_t> frames;
        std::vector<std::uint32_t> times;
    };

    static std::size_t SlotOf(const Ring& ring, std::uint64_t number);
    const std::uint8_t* FrameAt(std::size_t slot) const;
    void Replace(Ring ring);

    mutable std::mutex mutex_;
    Ring ring_;
    std::vector<std::uint8_t> readSlot_;
};
