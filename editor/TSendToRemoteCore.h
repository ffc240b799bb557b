#pragma once
// The core binding of the editor while a player runs: every order goes to the player's main window
// as a core-order command frame, which the player hands to its own core. Only media durations and
// the common filter list still come from the local core library, loaded without being started.
#include "player/model/binding/TSendToCore.h"

class TSendToRemoteCore : public TSendToCore {
public:
    // The player's main window, as it publishes itself to other processes.
    static constexpr const char* kPlayerClass = "TDVDMain";
    static constexpr const char* kPlayerTitle = "TovrinPlayer";
    // Record addresses this low are refused as no record.
    static constexpr uintptr_t kLowestRecordAddress = 10;
    // A record's size word beyond this (or below its two header words) is no order record: some
    // orders take a bare text, which only the own core reads.
    static constexpr uint32_t kMaxRecordBytes = 64u << 20;

    // Binds the local library's two detached exports; true even when the library is missing.
    bool Load(const char* folder) override;
    // Finds the player window and keeps it; the instance is the value 1 (no core instance here).
    TCoreInstance* CreatePlayerInstance(plat::win::HWND clientWindow) override;
    int32_t FreePlayerInstance(TCoreInstance* instance, plat::win::HWND clientWindow) override;
    // Sends the order with its whole record (its size word gives the length) to the kept player
    // window and answers the player's answer, 0 without a window; nothing is written back. -1,
    // nothing sent, for a record address of 1 to 10 or a size word out of bounds.
    int32_t SendOrder(TCoreInstance* instance, plat::win::HWND clientWindow, uint32_t order, void* record,
                      void** out) override;
    // Nothing to free here: -1.
    int32_t FreeData(void** block) override;

    plat::win::HWND PlayerWindow() const { return player_; }

private:
    plat::win::HWND player_ = 0;
};
