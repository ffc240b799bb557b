#include "player/model/binding/TCommandFrame.h"

#include <cstring>

namespace {

int32_t WordAt(const uint8_t* data, uint32_t offset) {
    int32_t value = 0;
    std::memcpy(&value, data + offset, sizeof value);
    return value;
}

void AppendWord(std::vector<uint8_t>& frame, int32_t value) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&value);
    frame.insert(frame.end(), bytes, bytes + sizeof value);
}

} // namespace

std::vector<uint8_t> TCommandFrame::BuildText(const std::string& text) {
    std::vector<uint8_t> frame;
    frame.reserve(kHeaderSize + text.size() + 1);
    AppendWord(frame, kCommandText);
    AppendWord(frame, 0);
    AppendWord(frame, static_cast<int32_t>(text.size() + 1));
    frame.insert(frame.end(), text.begin(), text.end());
    frame.push_back(0);
    return frame;
}

std::vector<uint8_t> TCommandFrame::BuildOrder(int32_t order, std::span<const uint8_t> record) {
    std::vector<uint8_t> frame;
    AppendWord(frame, kCoreOrder);
    AppendWord(frame, order);
    AppendWord(frame, static_cast<int32_t>(record.size()));
    frame.insert(frame.end(), record.begin(), record.end());
    return frame;
}

TCommandFrame::Content TCommandFrame::Read(const plat::win::COPYDATASTRUCT* copy) {
    Content content;
    if (copy == nullptr || copy->lpData == nullptr || copy->cbData < kHeaderSize) {
        return content;
    }
    const auto* data = static_cast<const uint8_t*>(copy->lpData);
    const uint32_t available = copy->cbData - kHeaderSize;
    const int32_t kind = WordAt(data, 0);
    content.code = WordAt(data, 4);
    const int32_t length = WordAt(data, 8);
    if (kind == kCommandText) {
        if (length == 0) {
            content.kind = Kind::Other;
        } else if (length > 0 && static_cast<uint32_t>(length) <= available) {
            const auto* text = reinterpret_cast<const char*>(data + kHeaderSize);
            content.text.assign(text, strnlen(text, static_cast<size_t>(length)));
            content.kind = Kind::Text;
        }
        return content;
    }
    if (kind != kCoreOrder) {
        content.kind = Kind::Other;
        return content;
    }
    // An order whose record is missing, cut or of another size than its size word says is an order
    // without a record, which the core refuses.
    content.kind = Kind::Order;
    if (available >= kRecordHeaderSize && static_cast<uint32_t>(WordAt(data, kHeaderSize + 4)) == available) {
        content.record = {data + kHeaderSize, available};
    }
    return content;
}
