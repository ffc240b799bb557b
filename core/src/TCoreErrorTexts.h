#pragma once
// What the player makes of an error of its playback engine: the texts it sends as kind-1225 records
// (each its own record, in order), whether it stops playback after sending them, and the answer that
// goes back to the engine. The first value of an error is a sub-code, the second a result code
// (MediaErrorText.h) or a set of bits.
#include <cstdint>
#include <string>
#include <vector>

struct TCoreErrorText {
    std::string text;
    std::uint8_t severity;

    bool operator==(const TCoreErrorText&) const = default;
};

struct TCoreErrorReport {
    std::vector<TCoreErrorText> texts;
    bool stops = false;
    bool answer = true;
};

class TCoreErrorTexts {
public:
    // Error kinds of the engine.
    static constexpr std::uint32_t kTest = 0;
    static constexpr std::uint32_t kGraphFailed = 1;
    static constexpr std::uint32_t kGraphError = 2;
    static constexpr std::uint32_t kNoDvdVolume = 3;
    static constexpr std::uint32_t kStreamsFailed = 4;
    static constexpr std::uint32_t kClosedCaption = 5;
    static constexpr std::uint32_t kSilent = 6;
    static constexpr std::uint32_t kDvdSoftware = 7;
    static constexpr std::uint32_t kDvdPlayback = 8;
    static constexpr std::uint32_t kDirectDraw = 9;
    static constexpr std::uint32_t kNoGraph = 10;
    static constexpr std::uint32_t kFilePlayback = 11;
    static constexpr std::uint32_t kInterfaces = 12;
    static constexpr std::uint32_t kFileNotFound = 13;
    static constexpr std::uint32_t kOverlay = 14;

    static TCoreErrorReport For(std::uint32_t kind, std::uint32_t subCode, std::uint32_t result);

private:
    static TCoreErrorReport NoDvdVolume(std::uint32_t subCode);
    static TCoreErrorReport StreamsFailed(std::uint32_t count, std::uint32_t streams);
    static TCoreErrorReport DvdPlayback(std::uint32_t subCode);
    static TCoreErrorReport DirectDraw(std::uint32_t subCode);
    static TCoreErrorReport FilePlayback(std::uint32_t result);
};
