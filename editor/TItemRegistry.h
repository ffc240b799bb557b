#pragma once
// Process-wide 32-bit handles for items of the open profile. Cursors, record fields of 32 bits and the
// keys of event copies hold a handle, never a pointer: a handle carries the generation of its slot,
// so once its item is forgotten (deleted, or the whole profile replaced) the handle resolves to
// nothing instead of to freed memory. GUI thread only.
#include <cstdint>
#include <unordered_map>
#include <vector>

class TItemRegistry {
public:
    // Low bits: slot number + 1; high bits: the slot's generation.
    static constexpr uint32_t kSlotBits = 22;
    static constexpr uint32_t kSlotMask = (1u << kSlotBits) - 1;
    static constexpr uint32_t kGenerationLimit = 1u << (32 - kSlotBits);

    static TItemRegistry& Instance();

    // The item's handle, registered at the first call; 0 for no item or when every slot is taken.
    uint32_t HandleOf(const void* item);
    // The live item of the handle; nullptr for 0 or a stale handle.
    void* Resolve(uint32_t handle) const;
    // The item is gone: its handle goes stale and its slot is reused under a new generation.
    void Forget(const void* item);
    // Every handle goes stale (a new profile replaces the old one).
    void ForgetAll();
    std::size_t LiveCount() const { return slotOf_.size(); }

private:
    struct Slot {
        const void* Item = nullptr;
        uint32_t Generation = 1;
    };
    void Release(uint32_t slot);

    std::vector<Slot> slots_;
    std::vector<uint32_t> free_;
    std::unordered_map<const void*, uint32_t> slotOf_;
};

// A typed handle: a weak reference to one item of the profile, 32 bits wide.
template <class T> struct TItemRef {
    uint32_t Handle = 0;

    static TItemRef Of(const T* item) { return TItemRef{TItemRegistry::Instance().HandleOf(item)}; }
    T* Get() const { return static_cast<T*>(TItemRegistry::Instance().Resolve(Handle)); }
    explicit operator bool() const { return Get() != nullptr; }
    bool operator==(const TItemRef&) const = default;
};
