#include "editor/TEditorCommandFrame.h"

#include "platform/text/CodePage.h"
#include "player/model/binding/TCommandFrame.h"

#include <cstring>

namespace {

int32_t WordAt(const uint8_t* data, uint32_t offset) {
    int32_t value = 0;
    std::memcpy(&value, data + offset, sizeof value);
    return value;
}

// UTF-16LE text of whole code units, up to the first NUL unit.
std::u16string WideText(const uint8_t* bytes, uint32_t size) {
    std::u16string text;
    for (uint32_t at = 0; at + 1 < size; at += 2) {
        const auto unit = static_cast<char16_t>(bytes[at] | (bytes[at + 1] << 8));
        if (unit == 0) {
            break;
        }
        text.push_back(unit);
    }
    return text;
}

} // namespace

std::optional<std::u16string> TEditorCommandFrame::ReadCommandText(const plat::win::COPYDATASTRUCT* copy) {
    if (copy == nullptr || copy->lpData == nullptr || copy->cbData < kHeaderSize) {
        return std::nullopt;
    }
    const auto* data = static_cast<const uint8_t*>(copy->lpData);
    const int32_t length = WordAt(data, 8);
    if (WordAt(data, 0) != kCommandText || length <= 0 ||
        static_cast<uint32_t>(length) > copy->cbData - kHeaderSize) {
        return std::nullopt;
    }
    const uint8_t* text = data + kHeaderSize;
    const auto size = static_cast<uint32_t>(length);
    if (size > 2 && text[0] == 0xFF && text[1] == 0xFE) {
        return WideText(text, size);
    }
    return plat::text::AnsiToWide(std::string_view(reinterpret_cast<const char*>(text),
                                                   strnlen(reinterpret_cast<const char*>(text), size)));
}

std::vector<uint8_t> TEditorCommandFrame::BuildText(std::string_view text) {
    return TCommandFrame::BuildText(std::string(text));
}

std::vector<uint8_t> TEditorCommandFrame::BuildOrder(uint32_t order, std::span<const uint8_t> record) {
    return TCommandFrame::BuildOrder(static_cast<int32_t>(order), record);
}
