#include "player/model/tests/RecordingCore.h"

#include "core/src/TOrderTable.h"

#include <cstdlib>
#include <cstring>

namespace {

// The bytes of the request that the core reads for this order.
std::vector<uint8_t> RequestBytes(uint32_t order, const void* record) {
    const TOrderInfo* info = FindOrder(order);
    if (info == nullptr || record == nullptr) {
        return {};
    }
    const auto* bytes = static_cast<const uint8_t*>(record);
    switch (info->record) {
    case TOrderRecordKind::Fixed:
        return {bytes, bytes + info->size};
    case TOrderRecordKind::BareName:
        return {bytes, bytes + std::strlen(static_cast<const char*>(record)) + 1};
    default:
        return {};
    }
}

} // namespace

TRecordingCore::~TRecordingCore() = default;

TCoreInstance* TRecordingCore::CreatePlayerInstance(plat::win::HWND clientWindow) {
    createdFor.push_back(clientWindow);
    // A token the hub only passes back; it is never read.
    return giveInstance ? reinterpret_cast<TCoreInstance*>(nextInstance_ += 0x10) : nullptr;
}

int32_t TRecordingCore::FreePlayerInstance(TCoreInstance* instance, plat::win::HWND clientWindow) {
    freed.push_back(instance);
    return 0;
}

int32_t TRecordingCore::SendOrder(TCoreInstance* instance, plat::win::HWND clientWindow, uint32_t order,
                                  void* record, void** out) {
    orders_.push_back({order, RequestBytes(order, record), out != nullptr});
    if (during) {
        during(order, record);
    }
    const auto answer = answers.find(order);
    const int32_t result = answer != answers.end() ? answer->second : 0;
    if (result != 0) {
        return result;
    }
    if (const auto it = writeBack.find(order); it != writeBack.end() && record != nullptr) {
        std::memcpy(static_cast<uint8_t*>(record) + 8, it->second.data(), it->second.size());
    }
    if (const auto it = blocks.find(order); it != blocks.end() && out != nullptr) {
        *out = std::malloc(it->second.size());
        std::memcpy(*out, it->second.data(), it->second.size());
        ++outstanding_;
    }
    return 0;
}

int32_t TRecordingCore::FreeData(void** block) {
    if (block == nullptr || *block == nullptr) {
        return -1;
    }
    std::free(*block);
    --outstanding_;
    return 0;
}

std::vector<uint32_t> TRecordingCore::TakeOrderNumbers() {
    std::vector<uint32_t> numbers;
    for (const TOrder& o : TakeOrders()) {
        numbers.push_back(o.order);
    }
    return numbers;
}
