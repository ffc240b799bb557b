// Fuzzes the order dispatcher of one player instance. The first four bytes choose the order (most of
// the time a number of the order table, sometimes the raw value) and whether the record and the out
// pointer are given; the rest is the record, copied into a heap block of exactly its size word so
// that a read past the declared size is caught. Pointer fields point at terminated texts made from
// the input, as the protocol demands of its callers; the files that orders 201 and 207 name are always
// in a private temporary folder, so that a run writes nothing anywhere else.
#include "core/src/TCoreInstance.h"
#include "core/src/TOrderTable.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

constexpr std::uint32_t kNoOutPointer = 0x80000000u;
constexpr std::uint32_t kNoRecord = 0x40000000u;

TCorePlayer& Player() {
    static TCoreInstance* const instance = TCoreInstance::Create(0, "Fuzz");
    return *TCoreInstance::PlayerOf(instance);
}

// A private temporary folder for the log file of order 207 and the graph file of order 201, removed
// when the fuzzer ends.
class TPrivateFolder {
public:
    TPrivateFolder() {
        if (::mkdtemp(folder_.data()) == nullptr) {
            std::abort();
        }
        logPath_ = folder_ + "/core.log";
        graphPath_ = std::u16string(folder_.begin(), folder_.end()) + u"/graph.grf";
    }
    ~TPrivateFolder() {
        std::remove(logPath_.c_str());
        std::remove((folder_ + "/graph.grf").c_str());
        ::rmdir(folder_.c_str());
    }
    const std::string& LogPath() const { return logPath_; }
    const std::u16string& GraphPath() const { return graphPath_; }

private:
    std::string folder_ = "/tmp/fuzz_order_dispatcher.XXXXXX";
    std::string logPath_;
    std::u16string graphPath_;
};

const TPrivateFolder& Folder() {
    static const TPrivateFolder folder;
    return folder;
}

std::uint32_t OrderOf(std::uint32_t selector) {
    if ((selector & 7) == 0) {
        return selector;
    }
    return kOrderTable[((selector & ~(kNoOutPointer | kNoRecord)) >> 3) % kOrderTable.size()].order;
}

// The texts and data that pointer fields point at, made from the input.
struct PointedData {
    explicit PointedData(const std::uint8_t* data, std::size_t size)
        : text(size / 2 + 1, u'\0'), bytes(new std::uint8_t[size]) {
        std::memcpy(text.data(), data, size / 2 * 2);
        text.back() = u'\0';
        std::memcpy(bytes.get(), data, size);
        byteCount = static_cast<std::uint32_t>(size);
    }

    std::u16string text;
    std::unique_ptr<std::uint8_t[]> bytes;
    std::uint32_t byteCount;
};

template <class T> void Put(std::uint8_t* record, std::size_t size, std::size_t offset, T value) {
    if (offset + sizeof(value) <= size) {
        std::memcpy(record + offset, &value, sizeof(value));
    }
}

void PointAtData(std::uint32_t order, std::uint8_t* record, std::size_t size, const PointedData& data) {
    const char16_t* text = data.text.c_str();
    switch (order) {
    case kOrderGraphDescription:
        Put(record, size, offsetof(TOrderGraphDescription, text), text);
        break;
    case kOrderSaveGraph:
        Put(record, size, offsetof(TOrderSaveGraph, fileName), Folder().GraphPath().c_str());
        break;
    case kOrderOsdItem: {
        std::uint32_t bytes = 0;
        if (offsetof(TOrderOsdItem, dataBytes) + sizeof(bytes) <= size) {
            std::memcpy(&bytes, record + offsetof(TOrderOsdItem, dataBytes), sizeof(bytes));
        }
        Put(record, size, offsetof(TOrderOsdItem, data), static_cast<const void*>(data.bytes.get()));
        Put(record, size, offsetof(TOrderOsdItem, dataBytes), std::min(bytes, data.byteCount));
        break;
    }
    case kOrderOsdVariable:
        Put(record, size, offsetof(TOrderOsdVariable, name), text);
        Put(record, size, offsetof(TOrderOsdVariable, value), text);
        break;
    default:
        break;
    }
}

// The record: never shorter than its head, never longer than its size word, and a size word never
// beyond the bytes there are.
std::vector<std::uint8_t> RecordBytes(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> bytes(data, data + size);
    if (bytes.size() < sizeof(TOrderRecord)) {
        bytes.resize(sizeof(TOrderRecord));
    }
    std::uint32_t sizeWord;
    std::memcpy(&sizeWord, bytes.data() + offsetof(TOrderRecord, size), sizeof(sizeWord));
    if (sizeWord > bytes.size()) {
        sizeWord = static_cast<std::uint32_t>(bytes.size());
        std::memcpy(bytes.data() + offsetof(TOrderRecord, size), &sizeWord, sizeof(sizeWord));
    }
    bytes.resize(std::max<std::size_t>(sizeWord, sizeof(TOrderRecord)));
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(std::uint32_t)) {
        return 0;
    }
    std::uint32_t selector;
    std::memcpy(&selector, data, sizeof(selector));
    const std::uint32_t order = OrderOf(selector);
    const PointedData pointed(data + sizeof(selector), size - sizeof(selector));

    const std::vector<std::uint8_t> bytes = RecordBytes(data + sizeof(selector), size - sizeof(selector));
    const std::unique_ptr<std::uint8_t[]> record(new std::uint8_t[bytes.size()]);
    std::memcpy(record.get(), bytes.data(), bytes.size());
    PointAtData(order, record.get(), bytes.size(), pointed);

    void* request = record.get();
    if (order == kOrderLogFile) {
        request = const_cast<char*>(Folder().LogPath().c_str());
    }
    if ((selector & kNoRecord) != 0) {
        request = nullptr;
    }
    void* out = nullptr;
    Player().SendOrder(order, request, (selector & kNoOutPointer) != 0 ? nullptr : &out);
    std::free(out);
    return 0;
}
