#include "editor/TItemRegistry.h"

TItemRegistry& TItemRegistry::Instance() {
    static TItemRegistry registry;
    return registry;
}

uint32_t TItemRegistry::HandleOf(const void* item) {
    if (item == nullptr) {
        return 0;
    }
    uint32_t slot = 0;
    if (const auto found = slotOf_.find(item); found != slotOf_.end()) {
        slot = found->second;
    } else if (!free_.empty()) {
        slot = free_.back();
        free_.pop_back();
    } else if (slots_.size() < kSlotMask) {
        slot = static_cast<uint32_t>(slots_.size());
        slots_.emplace_back();
    } else {
        return 0;
    }
    slots_[slot].Item = item;
    slotOf_[item] = slot;
    return (slots_[slot].Generation << kSlotBits) | (slot + 1);
}

void* TItemRegistry::Resolve(uint32_t handle) const {
    const uint32_t index = handle & kSlotMask;
    if (index == 0 || index > slots_.size()) {
        return nullptr;
    }
    const Slot& slot = slots_[index - 1];
    if (slot.Item == nullptr || slot.Generation != (handle >> kSlotBits)) {
        return nullptr;
    }
    return const_cast<void*>(slot.Item);
}

void TItemRegistry::Forget(const void* item) {
    if (const auto found = slotOf_.find(item); found != slotOf_.end()) {
        const uint32_t slot = found->second;
        slotOf_.erase(found);
        Release(slot);
    }
}

void TItemRegistry::ForgetAll() {
    for (const auto& [item, slot] : slotOf_) {
        Release(slot);
    }
    slotOf_.clear();
}

void TItemRegistry::Release(uint32_t slot) {
    Slot& entry = slots_[slot];
    entry.Item = nullptr;
    // Generation 0 is never used, so a zeroed field never names a live item.
    entry.Generation = entry.Generation + 1 < kGenerationLimit ? entry.Generation + 1 : 1;
    free_.push_back(slot);
}
