#pragma once
// A core binding for the hub's tests that records every order (its number and the request bytes the
// core would read) and answers as the test scripts it, the way the finished core will: fixed answers
// per order, bytes written back into request records, blocks handed out through the out pointer, and
// a hook that runs inside an order (where the core sends its records synchronously).
#include "player/model/binding/TSendToCore.h"

#include <cstdint>
#include <functional>
#include <map>
#include <utility>
#include <vector>

class TRecordingCore : public TSendToCore {
public:
    struct TOrder {
        uint32_t order;
        std::vector<uint8_t> record; // the bytes the core reads; empty for orders without a record
        bool out;                    // an out pointer was given
    };

    ~TRecordingCore() override;

    TCoreInstance* CreatePlayerInstance(plat::win::HWND clientWindow) override;
    int32_t FreePlayerInstance(TCoreInstance* instance, plat::win::HWND clientWindow) override;
    int32_t SendOrder(TCoreInstance* instance, plat::win::HWND clientWindow, uint32_t order, void* record,
                      void** out) override;
    int32_t FreeData(void** block) override;

    // The orders since the last call.
    std::vector<TOrder> TakeOrders() { return std::exchange(orders_, {}); }
    std::vector<uint32_t> TakeOrderNumbers();
    // Blocks handed out and not yet returned.
    int OutstandingBlocks() const { return outstanding_; }

    std::map<uint32_t, int32_t> answers;                      // default 0
    std::map<uint32_t, std::vector<uint8_t>> writeBack;       // copied over the record from byte 8 on success
    std::map<uint32_t, std::vector<uint8_t>> blocks;          // handed out through the out pointer on success
    std::function<void(uint32_t order, void* record)> during; // runs inside every order
    bool giveInstance = true;
    std::vector<plat::win::HWND> createdFor;
    std::vector<TCoreInstance*> freed;

private:
    std::vector<TOrder> orders_;
    uintptr_t nextInstance_ = 0x1000;
    int outstanding_ = 0;
};

// Bytes of a value, for writeBack and blocks.
template <class T> std::vector<uint8_t> BytesOf(const T& value) {
    const auto* p = reinterpret_cast<const uint8_t*>(&value);
    return {p, p + sizeof(T)};
}
