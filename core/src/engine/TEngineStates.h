#pragma once
// Saved playback states of the engine (its state slots): a disc's place in the title domain as a DVD
// state record, a media file's position as a media state record, written to and read from a stream of
// a storage file. A record read back is checked whole before anything moves: a stream that is short,
// damaged or of the other kind is refused and the position stays where it is.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

class TEngineContext;
class TEngineTransport;

class TEngineStates {
public:
    // How long restoring a disc's place waits for the navigator to reach it.
    static constexpr std::uint32_t kRestoreWaitMs = 5000;

    TEngineStates(TEngineContext& context, TEngineTransport& transport)
        : context_(context), transport_(transport) {}

    // The record of where playback is. False in a disc's menus, first play or when stopped, and when
    // a media file's position cannot be read.
    bool CaptureState(std::string& record);
    bool SaveState(const std::u16string& file, const std::u16string& stream);
    // Plays when not running, then moves to the saved place; false when the stream cannot be read or
    // its record is refused (nothing is started then) or when the move fails.
    bool LoadState(const std::u16string& file, const std::u16string& stream);
    bool DeleteState(const std::u16string& file, const std::u16string& stream);

    // The same with 8-bit texts in the process code page, each taken up to kMaxNameCharacters
    // characters; false for a null text.
    static constexpr std::size_t kMaxNameCharacters = 260;
    bool SaveStateA(const char* file, const char* stream);
    bool LoadStateA(const char* file, const char* stream);
    bool DeleteStateA(const char* file, const char* stream);

private:
    using WideOperation = bool (TEngineStates::*)(const std::u16string&, const std::u16string&);
    bool CallWide(WideOperation operation, const char* file, const char* stream);
    bool ApplyDvdState(std::span<const std::uint8_t> record);
    bool ApplyMediaState(std::span<const std::uint8_t> record);

    TEngineContext& context_;
    TEngineTransport& transport_;
};
