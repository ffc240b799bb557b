#pragma once
// Transport control of the engine: play, pause, stop, rate, frame step, seeks (absolute, relative with a
// debounce on timer 102), volume, the position clock on timer 101, the play state that order 301
// answers and the end of the media. In DVD mode positions, time jumps and the play state come from the
// navigator, which reports the time itself.
#include "core/src/engine/TEngineContext.h"
#include "core/src/engine/TEngineDvd.h"

#include <cstdint>
#include <functional>

class TEngineTransport {
public:
    static constexpr plat::win::UINT_PTR kPositionTimer = 101;
    static constexpr plat::win::UINT kPositionPeriodMs = 333;
    static constexpr plat::win::UINT_PTR kSeekTimer = 102;
    static constexpr plat::win::UINT kSeekDebounceMs = 300;
    // Allowed user operations of a media file: all but 0x8, 0x20, 0x100 and 0x80000.
    static constexpr std::uint32_t kMediaUserOperations = 0xFFF7FED7;
    // Sub-codes of the "needs an interface the graph lacks" error.
    static constexpr std::uint32_t kNeedsRate = 3;
    static constexpr std::uint32_t kNeedsTime = 10;

    // `build` builds a graph from the stored description; `release` releases the graph.
    TEngineTransport(TEngineContext& context, TEngineDvd& dvd, std::function<bool()> build,
                     std::function<void()> release);

    bool Play();
    bool TogglePause();
    bool StopPlayback(bool keepGraph);
    bool SetPlaybackRate(double rate);
    bool StepFrames(std::int32_t count);
    // Time code of bytes hours, minutes, seconds, frames (hours in the lowest byte).
    bool SeekToTimeCode(std::uint32_t timeCode);
    bool SeekRelative(std::int32_t delta);
    // Timer 102: the debounced relative seek.
    void SeekToPending();
    std::int32_t GetVolume();
    bool SetVolume(std::int32_t volume);
    // Milliseconds of the position; false when it cannot be read.
    bool GetPosition(std::uint32_t& ms, std::uint32_t& flags, std::uint32_t* titleAndChapter);
    // Timer 101: event 2 with the position.
    bool PostPosition();
    std::uint32_t GetPlayState();
    // The graph reached the end of the media: it stops at the start, ready to play again.
    void EndOfStream();
    // A frame step delivered its frame: the position it reached is told and status 16 follows.
    void StepComplete();
    // Starts timer 101 when the graph can tell positions, else stops it.
    void UpdatePositionClock();

    static std::uint32_t PackTimeCode(std::int64_t ms, bool withFrames);
    static std::int64_t TimeCodeToMs(std::uint32_t timeCode);

private:
    bool ApplyRate(double rate);
    bool WaitForState(plat::media::FilterState state);
    void Hide();

    TEngineContext& context_;
    TEngineDvd& dvd_;
    std::function<bool()> build_;
    std::function<void()> release_;
};
