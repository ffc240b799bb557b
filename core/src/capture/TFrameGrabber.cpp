#include "core/src/capture/TFrameGrabber.h"

#include <algorithm>
#include <new>

TCaptureStatus TFrameGrabber::Setup(const TFrameFormat& format, std::uint32_t capacity) {
    if (format.frameBytes == 0 || format.width <= 0 || format.height <= 0) {
        return TCaptureStatus::BadFormat;
    }
    if (capacity == 0 || capacity > kMaxCapacity ||
        std::uint64_t(format.frameBytes) * capacity > kMaxRingBytes) {
        return TCaptureStatus::BadCapacity;
    }
    Ring ring{format, capacity, 0, {}, {}};
    try {
        ring.frames.resize(std::size_t(format.frameBytes) * capacity);
        ring.times.resize(capacity);
    } catch (const std::bad_alloc&) {
        return TCaptureStatus::NoMemory;
    }
    Replace(std::move(ring));
    return TCaptureStatus::Ok;
}

void TFrameGrabber::Release() {
    Replace(Ring{});
}

void TFrameGrabber::Replace(Ring ring) {
    std::vector<std::uint8_t> oldSlot;
    {
        std::lock_guard lock(mutex_);
        std::swap(ring_, ring);
        std::swap(readSlot_, oldSlot);
    }
    // The old ring and read slot are freed here, after the swap, outside the lock.
}

void TFrameGrabber::OnFrame(std::int64_t time, const std::uint8_t* data, std::size_t stride,
                            std::size_t size) {
    std::lock_guard lock(mutex_);
    const TFrameFormat& format = ring_.format;
    if (ring_.capacity == 0 || data == nullptr || stride < format.rowBytes ||
        size != stride * std::size_t(format.height)) {
        return;
    }
    const std::size_t slot = ring_.written % ring_.capacity;
    ring_.times[slot] = static_cast<std::uint32_t>(std::max<std::int64_t>(time, 0) / 10000);
    std::uint8_t* bottomRow = ring_.frames.data() + slot * format.frameBytes;
    for (std::size_t row = 0; row < std::size_t(format.height); ++row) {
        const std::uint8_t* source = data + (std::size_t(format.height) - 1 - row) * stride;
        std::copy_n(source, format.rowBytes, bottomRow + row * format.rowBytes);
    }
    ++ring_.written;
}

std::size_t TFrameGrabber::SlotOf(const Ring& ring, std::uint64_t number) {
    const std::uint64_t oldest = ring.written >= ring.capacity ? ring.written % ring.capacity : 0;
    return std::size_t((oldest + number) % ring.capacity);
}

const std::uint8_t* TFrameGrabber::FrameAt(std::size_t slot) const {
    return ring_.frames.data() + slot * ring_.format.frameBytes;
}

TCaptureStatus TFrameGrabber::ReadFrame(std::uint32_t number, TCapturedFrame* frame) {
    const std::uint32_t index = number & kNumberMask;
    std::lock_guard lock(mutex_);
    if (ring_.capacity == 0) {
        return TCaptureStatus::NoRing;
    }
    if (frame == nullptr || index >= std::min<std::uint64_t>(ring_.written, ring_.capacity)) {
        return TCaptureStatus::NotInRing;
    }
    const std::size_t slot = SlotOf(ring_, index);
    readSlot_.assign(FrameAt(slot), FrameAt(slot) + ring_.format.frameBytes);
    *frame =
        TCapturedFrame{index, ring_.times[slot], readSlot_.data(), ring_.format.frameBytes, ring_.format};
    return TCaptureStatus::Ok;
}

std::uint64_t TFrameGrabber::FramesWritten() const {
    std::lock_guard lock(mutex_);
    return ring_.written;
}
