#pragma once
// A binding whose one instance is a test's own core player, linked into the test: the hub's orders
// reach the real core without loading the library.
#include "player/model/binding/TSendToCore.h"

class TCorePlayer;

class TCorePlayerBinding : public TSendToCore {
public:
    explicit TCorePlayerBinding(TCorePlayer& player) : player_(player) {}

    // The player itself stands for the instance: opaque to the hub, never read through.
    TCoreInstance* CreatePlayerInstance(plat::win::HWND) override;
    int32_t FreePlayerInstance(TCoreInstance*, plat::win::HWND) override { return 0; }
    int32_t SendOrder(TCoreInstance*, plat::win::HWND, uint32_t order, void* record, void** out) override;
    // Blocks the core hands out are its malloc'ed memory.
    int32_t FreeData(void** block) override;

private:
    TCorePlayer& player_;
};
