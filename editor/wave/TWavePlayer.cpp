#include "editor/wave/TWavePlayer.h"

#include "platform/audio/GstWaveOut.h"
#include "platform/win/Message.h"

#include <algorithm>

namespace audio = plat::audio;

TWavePlayer::TWavePlayer(OutputFactory makeOutput) : makeOutput_(std::move(makeOutput)) {
    buffers_.resize(static_cast<std::size_t>(bufferCount_));
}

TWavePlayer::~TWavePlayer() {
    CloseDevice();
}

std::unique_ptr<audio::WaveOut> TWavePlayer::DefaultOutput() {
    return std::make_unique<audio::GstWaveOut>();
}

int32_t TWavePlayer::Open(const char16_t* path, int32_t startMs, int32_t lengthMs) {
    CloseDevice();
    if (TWaveFile::Open(path, startMs, lengthMs) != 1) {
        return 0;
    }
    if (!StartPlayback()) {
        CloseDevice();
        return 0;
    }
    return 1;
}

// Buffers hold whole sample frames, so every buffer and every lead-in starts on a frame.
bool TWavePlayer::StartPlayback() {
    std::lock_guard lock(lock_);
    const int64_t size = int64_t{format_.avgBytesPerSec} * kBufferedDurationMs / 1000 / bufferCount_;
    bufferSize_ = std::max<int64_t>(size - size % format_.blockAlign, format_.blockAlign);
    positionBase_ = portionStart_;
    noRefill_ = false;
    output_ = makeOutput_ ? makeOutput_() : nullptr;
    if (!output_ || !output_->Open(format_, [this](std::uintptr_t index, std::uint64_t serial) {
            WaveOutCallback(index, serial);
        })) {
        output_.reset(); // a device that never opened is not closed (no stop is reported)
        return false;
    }
    bufferBlock_.assign(static_cast<std::size_t>(bufferSize_ * bufferCount_), 0);
    for (std::size_t i = 0; i < buffers_.size(); ++i) {
        buffers_[i] = TWaveBuffer{bufferBlock_.data() + static_cast<int64_t>(i) * bufferSize_};
    }
    nextBuffer_ = 0;
    FillRemainingSilently();
    fillCounter_ = 0;
    Post(WM_WAVE_FILLED, 0);
    SetState(kWavePlaying);
    deviceOpen_ = true;
    return true;
}

// Fills the buffers from the next one to the last of the ring.
void TWavePlayer::FillRemainingSilently() {
    for (int32_t index = nextBuffer_; index < bufferCount_; ++index) {
        FillBuffer(0, true);
    }
}

void TWavePlayer::FillBuffer(int64_t skip, bool silent) {
    int64_t read = 0;
    {
        std::lock_guard lock(lock_);
        TWaveBuffer& buffer = buffers_[static_cast<std::size_t>(nextBuffer_)];
        // A buffer still queued is never rewritten: the output may be reading it.
        if (!buffer.Queued) {
            buffer.FileOffset = std::max<int64_t>(FilePosition(), 0);
            const int64_t wanted = std::min(PortionEnd() - buffer.FileOffset, bufferSize_);
            read = wanted > 0 ? ReadAtFilePosition(buffer.Data, wanted) : 0;
            buffer.BytesRead = read;
        }
        if (read > skip) {
            buffer.Serial = output_->Write(buffer.Data + skip, static_cast<std::size_t>(read - skip),
                                           static_cast<std::uintptr_t>(nextBuffer_));
            buffer.Queued = buffer.Serial != 0;
            nextBuffer_ = (nextBuffer_ + 1) % bufferCount_;
        }
        fillCounter_ = (fillCounter_ + 1) % bufferCount_;
    }
    if (silent) {
        return;
    }
    Post(WM_WAVE_FILLED, static_cast<plat::win::WPARAM>(fillCounter_));
    if (read == 0 && fillCounter_ == nextBuffer_) {
        Post(WM_WAVE_ENDED, 0);
        SetState(kWaveEnded);
    }
}

void TWavePlayer::WaveOutCallback(std::uintptr_t index, std::uint64_t serial) {
    if (noRefill_) {
        return; // returned by a reset: the buffers are being queued anew
    }
    std::lock_guard lock(lock_);
    if (noRefill_ || !deviceOpen_ || index >= buffers_.size()) {
        return;
    }
    TWaveBuffer& buffer = buffers_[index];
    // A notice from before a seek's reset may arrive after the buffer was queued again.
    if (!buffer.Queued || buffer.Serial != serial) {
        return;
    }
    buffer.Queued = false;
    FillBuffer(0, false);
}

int32_t TWavePlayer::Stop() {
    CloseDevice();
    return 1;
}

int32_t TWavePlayer::Seek(int32_t ms) {
    std::unique_lock lock(lock_);
    if (!FileIsOpen() || !deviceOpen_ || ms < 0) {
        return -1;
    }
    const int64_t target = MsToBytes(ms);
    if (target < portionStart_ || target > PortionEnd()) {
        return -1;
    }
    deviceOpen_ = false;
    noRefill_ = true;
    output_->Reset();
    ForgetQueuedBuffers();
    positionBase_ = target;
    int64_t leadIn = bufferSize_ / 2;
    leadIn = std::min(leadIn - leadIn % format_.blockAlign, target - portionStart_);
    SetFilePosition(target - leadIn);
    nextBuffer_ = 0;
    FillBuffer(leadIn, true);
    noRefill_ = false;
    FillRemainingSilently();
    fillCounter_ = 0;
    deviceOpen_ = true;
    if (state_ == kWavePaused) {
        output_->Pause();
    } else if (state_ == kWaveEnded) {
        SetState(kWavePlaying);
    }
    lock.unlock();
    Post(WM_WAVE_FILLED, 0);
    return 1;
}

void TWavePlayer::ForgetQueuedBuffers() {
    for (TWaveBuffer& buffer : buffers_) {
        buffer.Queued = false;
    }
}

int32_t TWavePlayer::TogglePause() {
    uint8_t state = kWaveStopped;
    {
        std::lock_guard lock(lock_);
        if (!FileIsOpen() || !deviceOpen_) {
            return -1;
        }
        if (state_ == kWavePaused) {
            output_->Restart();
            state = kWavePlaying;
        } else {
            output_->Pause();
            state = kWavePaused;
        }
    }
    SetState(state);
    return 1;
}

int32_t TWavePlayer::GetPosition() {
    std::lock_guard lock(lock_);
    if (!deviceOpen_) {
        return -1;
    }
    const std::optional<std::uint64_t> played = output_->PositionBytes();
    return played ? BytesToMs(static_cast<int64_t>(*played) + positionBase_) : -1;
}

int32_t TWavePlayer::GetBlock(int32_t relative, const uint8_t** data, int32_t* startMs) const {
    std::lock_guard lock(lock_);
    if (!openFlag_ || bufferBlock_.empty()) {
        return -1;
    }
    int32_t index = fillCounter_;
    if (relative == 1 && buffers_[static_cast<std::size_t>(index)].BytesRead > 0) {
        index = (index + 1) % bufferCount_;
    }
    const TWaveBuffer& buffer = buffers_[static_cast<std::size_t>(index)];
    *data = buffer.Data;
    *startMs = BytesToMs(buffer.FileOffset);
    return static_cast<int32_t>(buffer.BytesRead);
}

bool TWavePlayer::GetFormat(audio::WaveFormat* format, int32_t* lengthMs) const {
    if (!openFlag_) {
        return false;
    }
    *format = format_;
    *lengthMs = GetLengthMs();
    return true;
}

int32_t TWavePlayer::GetBlockStartMs() const {
    std::lock_guard lock(lock_);
    if (!openFlag_ || bufferBlock_.empty()) {
        return -1;
    }
    return BytesToMs(buffers_[static_cast<std::size_t>(fillCounter_)].FileOffset);
}

int32_t TWavePlayer::GetBufferDurationMs() const {
    return BytesToMs(bufferSize_);
}

void TWavePlayer::SetBufferCount(int32_t count) {
    CloseDevice();
    std::lock_guard lock(lock_);
    bufferCount_ = std::max(count, 1);
    bufferBlock_.clear();
    buffers_.assign(static_cast<std::size_t>(bufferCount_), TWaveBuffer{});
}

void TWavePlayer::SetNotifyWindow(plat::win::HWND window) {
    notifyWindow_ = window;
}

void TWavePlayer::Lock() {
    lock_.lock();
}

void TWavePlayer::Unlock() {
    lock_.unlock();
}

// The output is closed outside the lock: a done notice in delivery waits for the lock.
void TWavePlayer::CloseDevice() {
    std::unique_ptr<audio::WaveOut> output;
    {
        std::lock_guard lock(lock_);
        Close();
        if (output_) {
            noRefill_ = true;
            fillCounter_ = 0;
            output_->Reset();
            ForgetQueuedBuffers();
            SetState(kWaveStopped);
            output = std::move(output_);
        }
        deviceOpen_ = false;
    }
    if (output) {
        output->Close();
    }
    std::lock_guard lock(lock_);
    bufferBlock_.clear();
    for (TWaveBuffer& buffer : buffers_) {
        buffer = TWaveBuffer{};
    }
}

void TWavePlayer::SetState(uint8_t state) {
    state_ = state;
    Post(WM_WAVE_STATE, state);
}

void TWavePlayer::Post(plat::win::UINT msg, plat::win::WPARAM wParam) const {
    if (notifyWindow_ != 0) {
        plat::win::PostMessage(notifyWindow_, msg, wParam, 0);
    }
}
