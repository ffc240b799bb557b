#include "player/model/profiles/ProfileSubtitleOrders.h"

#include "core/include/VokradOrders.h"
#include "player/model/hub/TPlayerObjects.h"
#include "subtitles/profiles/TLanguage.h"
#include "subtitles/profiles/TMergedEvent.h"
#include "subtitles/profiles/TTitle.h"

#include <cstring>
#include <limits>

namespace {

constexpr std::size_t kOrderHeaderBytes = kPageOrderHeadBytes - kPageBlockHeadBytes;

template <class T> void PutAt(std::vector<std::byte>& block, std::size_t offset, T value) {
    std::memcpy(block.data() + offset, &value, sizeof value);
}

// Fills the head of an order-502 block and sends it.
void SendPageBlock(TPlayerObjects& objects, int32_t number, std::vector<std::byte>& block) {
    const auto total = static_cast<uint32_t>(block.size());
    PutAt(block, offsetof(TOrderSubtitlePages, head), TOrderRecord{0, total});
    PutAt(block, offsetof(TOrderSubtitlePages, length), total);
    PutAt(block, offsetof(TOrderSubtitlePages, title), static_cast<uint32_t>(number));
    objects.SendOrder(kOrderSubtitlePages, block.data(), nullptr);
}

} // namespace

void SendStyles(TPlayerObjects& objects, const TPointer<TStyles>& styles) {
    enum : uint32_t { kReset = 1, kUpdatesOff = 2, kUpdatesOn = 3, kAddStyle = 4 };
    TOrderStyles record{};
    for (const uint32_t step : {kReset, kUpdatesOff}) {
        record.step = step;
        objects.SendRecord(kOrderStyles, record);
    }
    record.step = kAddStyle;
    for (const TStyles* style = styles.Head; style != nullptr; style = style->Next) {
        std::memcpy(record.style, &style->Record, sizeof record.style);
        objects.SendRecord(kOrderStyles, record);
    }
    record.step = kUpdatesOn;
    objects.SendRecord(kOrderStyles, record);
}

void SendLanguage(TPlayerObjects& objects, TLanguage* language, TSentPages& sent) {
    if (language == nullptr) {
        return;
    }
    if (language->Titles.Head == nullptr) {
        objects.SendOrder(kOrderClearSubtitles, nullptr, nullptr);
        sent.clear();
        return;
    }
    SendStyles(objects, language->Styles);
    TSentPages filled;
    for (TTitle* title = language->Titles.Head; title != nullptr; title = title->Next) {
        title->BuildEvents();
        if (SendEvents(objects, title->Number, title->Events)) {
            filled.insert(title->Number);
        }
    }
    for (const int32_t stale : sent) {
        if (!filled.contains(stale)) {
            SendEmptyPage(objects, stale);
        }
    }
    sent = std::move(filled);
}

bool SendEvents(TPlayerObjects& objects, int32_t number, const TPointer<TSubEvents>& events) {
    std::vector<std::byte> block = SerializeEvents(events, true);
    if (block.empty()) {
        return false;
    }
    SendPageBlock(objects, number, block);
    return true;
}

void SendEmptyPage(TPlayerObjects& objects, int32_t number) {
    std::vector<std::byte> block(kPageOrderHeadBytes);
    PutAt(block, offsetof(TOrderSubtitlePages, pageHeadSize), static_cast<uint32_t>(kPageBlockHeadBytes));
    SendPageBlock(objects, number, block);
}

std::vector<std::byte> SerializeEvents(const TPointer<TSubEvents>& events, bool withOrderHeader) {
    const std::size_t head = kPageBlockHeadBytes + (withOrderHeader ? kOrderHeaderBytes : 0);
    std::size_t total = head;
    for (const TSubEvents* event = events.Head; event != nullptr; event = event->Next) {
        total += event->GetRecordSize();
    }
    if (total == head || total > std::numeric_limits<uint32_t>::max()) {
        return {};
    }
    std::vector<std::byte> block(total);
    const std::size_t pageHead = head - kPageBlockHeadBytes;
    PutAt(block, pageHead + offsetof(TSubtitlePageBlockHead, headSize),
          static_cast<uint32_t>(kPageBlockHeadBytes));
    std::size_t offset = head;
    uint32_t count = 0;
    for (const TSubEvents* event = events.Head; event != nullptr; event = event->Next) {
        const std::size_t written = event->WriteRecord(block.data() + offset, total - offset);
        if (written == 0) {
            continue; // an item without a record has nothing to show
        }
        ++count;
        // The sender's own reference to an event of its own: its position in the page.
        if (dynamic_cast<const TMergedEvent*>(event) == nullptr) {
            PutAt(block, offset + offsetof(TSubEventRecord, clientReference), count);
        }
        offset += written;
    }
    if (count == 0) {
        return {};
    }
    block.resize(offset);
    PutAt(block, pageHead + offsetof(TSubtitlePageBlockHead, count), count);
    return block;
}
