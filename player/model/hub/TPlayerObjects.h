#pragma once
// The base of the player hub and of every controller: it routes each order to the core binding. An
// object that holds a core player instance sends through it; one that does not hands the order to its
// parent, so that every controller reaches the hub's instance.
#include "core/include/Vokrad.h"
#include "core/include/VokradOrders.h"
#include "foundation/TCommon.h"
#include "platform/win/Types.h"

#include <cstdint>

class TPlayerObjects : public TCommon {
public:
    // The parent is the object orders go to when this one holds no instance; nullptr makes the object
    // its own parent (the hub).
    explicit TPlayerObjects(TPlayerObjects* parent);
    // Frees an instance the object still holds.
    ~TPlayerObjects() override;

    // Frees an old instance, keeps the window and asks the binding for a new instance whose
    // notifications go to the window. 0, or -1 when there is no binding or the core gives no instance.
    int32_t CreateInstance(plat::win::HWND clientWindow);
    // 0, or -1 when there is no binding or no instance.
    int32_t FreeInstance();

    // The core's answer; -1 when no object of the chain holds an instance.
    int32_t SendOrder(uint32_t order, void* record, void** out);
    // Returns a block that the core allocated, along the same chain.
    int32_t FreeData(void** block);

    // Sends a fixed order record of VokradOrders.h: its head becomes {0, the record's size}.
    template <class Record> int32_t SendRecord(uint32_t order, Record& record, void** out = nullptr) {
        record.head = TOrderRecord{0, static_cast<uint32_t>(sizeof(Record))};
        return SendOrder(order, &record, out);
    }

    bool HasInstance() const { return instance_ != nullptr; }
    TCoreInstance* Instance() const { return instance_; }
    plat::win::HWND ClientWindow() const { return clientWindow_; }
    TPlayerObjects* Parent() const { return parent_; }

private:
    TPlayerObjects* parent_;
    plat::win::HWND clientWindow_ = 0;
    TCoreInstance* instance_ = nullptr;
};
