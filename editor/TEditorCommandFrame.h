#pragma once
// Command frames between the editor and the player: the data block of a WM_COPYDATA message,
// {magic, code, length} as little-endian 32-bit words, then `length` bytes. A command text (magic
// 102901) carries 8-bit text with its NUL, or UTF-16LE text after the mark FF FE; a core order
// (magic 11011) carries the order's whole request record. Frames come from other processes, so a
// frame is checked against the bytes delivered before anything of it is read.
#include "platform/win/Types.h"
#include "player/model/binding/TCommandFrame.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TEditorCommandFrame {
public:
    static constexpr int32_t kCommandText = TCommandFrame::kCommandText;
    static constexpr int32_t kCoreOrder = TCommandFrame::kCoreOrder;
    static constexpr uint32_t kHeaderSize = TCommandFrame::kHeaderSize;

    // The command text of a frame; nothing for another magic, an empty text, or a length that
    // does not fit in the bytes delivered.
    static std::optional<std::u16string> ReadCommandText(const plat::win::COPYDATASTRUCT* copy);
    // {102901, 0, text bytes + 1}, the text and a NUL.
    static std::vector<uint8_t> BuildText(std::string_view text);
    // {11011, order, record bytes}, then the record.
    static std::vector<uint8_t> BuildOrder(uint32_t order, std::span<const uint8_t> record);
};
