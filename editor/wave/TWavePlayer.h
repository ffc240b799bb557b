#pragma once
// Plays a portion of a WAVE file through an audio output, streaming it through a small ring of large
// buffers that are refilled as the output finishes each one, and lets the wave display read the
// queued buffers (the display's envelope is built from exactly the audio being played). Reports to
// one notification window by posted messages.
#include "editor/wave/TWaveFile.h"
#include "platform/audio/WaveOut.h"
#include "platform/win/Types.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

// Posted to the notification window (lParam 0).
constexpr plat::win::UINT WM_WAVE_ENDED = 1034;  // the data ran out and every queued buffer has played
constexpr plat::win::UINT WM_WAVE_FILLED = 1035; // wParam: the fill counter after the fill
constexpr plat::win::UINT WM_WAVE_STATE = 1036;  // wParam: the new state

constexpr uint8_t kWaveStopped = 0;
constexpr uint8_t kWavePlaying = 1;
constexpr uint8_t kWaveEnded = 2;
constexpr uint8_t kWavePaused = 3;

class TWavePlayer : public TWaveFile {
public:
    using OutputFactory = std::function<std::unique_ptr<plat::audio::WaveOut>()>;

    // The output comes from the factory each time playback starts (GStreamer's by default).
    explicit TWavePlayer(OutputFactory makeOutput = DefaultOutput);
    ~TWavePlayer() override;

    // Closes the device, opens the portion and starts playing at its first byte: 1 when playing.
    int32_t Open(const char16_t* path, int32_t startMs, int32_t lengthMs) override;
    int32_t Stop();
    // Plays from `ms` (from the start of the data); -1 when nothing plays or the time lies outside
    // the portion.
    int32_t Seek(int32_t ms);
    int32_t TogglePause();
    // The playing position in ms from the start of the data; -1 while the device is closed.
    int32_t GetPosition();
    // Bytes held by the buffer at the fill counter (relative 0) or the one after it (relative 1),
    // with its data (lead-in included) and its start in ms; -1 while nothing is open. Call it under
    // the player's lock.
    int32_t GetBlock(int32_t relative, const uint8_t** data, int32_t* startMs) const;
    // The file's format and the portion's length in ms; false while nothing is open.
    bool GetFormat(plat::audio::WaveFormat* format, int32_t* lengthMs) const;
    int32_t GetBlockStartMs() const;
    int32_t GetBufferDurationMs() const;
    // Stops any playback, then makes room for `count` buffers (0 or less is taken as 1).
    void SetBufferCount(int32_t count);
    void SetNotifyWindow(plat::win::HWND window);
    void Lock();
    void Unlock();
    uint8_t GetState() const { return state_; }

    // The output's done notice for the buffer `index` written as `serial`: refills one buffer.
    void WaveOutCallback(std::uintptr_t index, std::uint64_t serial);

    static std::unique_ptr<plat::audio::WaveOut> DefaultOutput();

private:
    static constexpr int32_t kBufferedDurationMs = 20000;

    struct TWaveBuffer {
        uint8_t* Data = nullptr;
        int64_t BytesRead = 0;
        int64_t FileOffset = 0; // from the start of the data chunk
        bool Queued = false;    // written and not yet done
        uint64_t Serial = 0;    // of its last write
    };

    bool StartPlayback();
    // Reads the next buffer from the file position and queues it (skipping `skip` lead-in bytes).
    void FillBuffer(int64_t skip, bool silent);
    void FillRemainingSilently();
    void CloseDevice();
    void SetState(uint8_t state);
    void Post(plat::win::UINT msg, plat::win::WPARAM wParam) const;
    void ForgetQueuedBuffers();

    const OutputFactory makeOutput_;
    std::unique_ptr<plat::audio::WaveOut> output_;
    bool deviceOpen_ = false;
    int32_t fillCounter_ = 0;
    int32_t nextBuffer_ = 0;
    std::vector<TWaveBuffer> buffers_;
    std::vector<uint8_t> bufferBlock_;
    int64_t positionBase_ = 0;
    int32_t bufferCount_ = 2;
    int64_t bufferSize_ = 0;
    mutable std::recursive_mutex lock_;
    plat::win::HWND notifyWindow_ = 0;
    std::atomic<uint8_t> state_ = kWaveStopped;
    std::atomic<bool> noRefill_ = false;
};
