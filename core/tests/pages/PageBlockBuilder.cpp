#include "core/tests/pages/PageBlockBuilder.h"

#include <cstring>

namespace {

template <class T> void Put(std::vector<std::byte>& bytes, std::size_t offset, T value) {
    std::memcpy(bytes.data() + offset, &value, sizeof(value));
}

} // namespace

std::vector<std::byte> PageBlockBuilder::Event(const TTestEvent& event) {
    const std::size_t size = TextEventWireSize(!event.text.empty(), event.text.size());
    std::vector<std::byte> bytes(size);
    TTextEventRecord record{};
    record.head.comment = event.comment ? 1 : 0;
    record.head.kind = event.kind;
    record.head.size = static_cast<std::uint32_t>(size);
    record.head.layer = event.layer;
    record.head.posX = -1;
    record.head.posY = -1;
    record.head.start = event.start;
    record.head.end = event.end;
    record.head.clientReference = event.id;
    const std::u16string style = u"Default";
    std::memcpy(record.styleName, style.data(), style.size() * sizeof(char16_t));
    record.wrapStyle = kDefaultWrapStyle;
    std::memcpy(bytes.data(), &record, sizeof(record));
    std::memcpy(bytes.data() + kTextEventTextOffset, event.text.data(), event.text.size() * sizeof(char16_t));
    return bytes;
}

std::vector<std::byte> PageBlockBuilder::Order(std::uint32_t key, const std::vector<TTestEvent>& events) {
    std::vector<std::byte> order(kPageOrderHeadBytes);
    for (const TTestEvent& event : events) {
        const std::vector<std::byte> record = Event(event);
        order.insert(order.end(), record.begin(), record.end());
    }
    SetOrderSize(order, static_cast<std::uint32_t>(order.size()));
    Put(order, offsetof(TOrderSubtitlePages, pageHeadSize), static_cast<std::uint32_t>(kPageBlockHeadBytes));
    Put(order, offsetof(TOrderSubtitlePages, title), key);
    Put(order, offsetof(TOrderSubtitlePages, itemCount), static_cast<std::uint32_t>(events.size()));
    return order;
}

void PageBlockBuilder::SetOrderSize(std::vector<std::byte>& order, std::uint32_t size) {
    Put(order, offsetof(TOrderRecord, size), size);
    Put(order, offsetof(TOrderSubtitlePages, length), size);
}
