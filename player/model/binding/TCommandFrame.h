#pragma once
// The command frame: the data block of a WM_COPYDATA message to the player's main window, from a
// second player instance or the subtitle editor. {kind, code, length} as little-endian 32-bit signed
// words, then the data: for a command text the 8-bit text with its NUL (length counts it), for a core
// order the order's whole request record. Any local process can send one, so a frame is checked
// against the size delivered before anything of it is read.
#include "platform/win/Types.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class TCommandFrame {
public:
    static constexpr int32_t kCommandText = 102901;
    static constexpr int32_t kCoreOrder = 11011;
    static constexpr uint32_t kHeaderSize = 12;
    // A request record starts with an unused word and its own size.
    static constexpr uint32_t kRecordHeaderSize = 8;

    enum class Kind {
        Text,    // a command text to run
        Order,   // a core order; record empty when the frame holds no whole record
        Other,   // a frame for the inherited procedure: another kind, or a text of length 0
        Refused, // malformed: answered 0 and not read further
    };

    struct Content {
        Kind kind = Kind::Refused;
        int32_t code = 0;
        std::string text{};                // Text: up to the first NUL
        std::span<const uint8_t> record{}; // Order: into the delivered block
    };

    // The frame that hands a command text over (kind 102901, code 0, length = text bytes + 1).
    static std::vector<uint8_t> BuildText(const std::string& text);
    // The frame of a core order with its request record (empty: none).
    static std::vector<uint8_t> BuildOrder(int32_t order, std::span<const uint8_t> record);

    static Content Read(const plat::win::COPYDATASTRUCT* copy);
};
