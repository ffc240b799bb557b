#pragma once
// The player instance record that a host holds as its handle. Records live until the library is
// unloaded: a freed instance keeps its record without a player, so that a handle used again finds
// no player instead of freed memory, and handles that the core never made are recognised. Orders
// and the free pass the record's gate, so that a free never pulls the player from under an order
// that another thread has in flight.
#include "core/src/TCorePlayer.h"
#include "core/src/TOrderGate.h"
#include "core/src/framework/TCoreModule.h"
#include "platform/win/Types.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

struct TCoreInstance {
    std::unique_ptr<TCoreModule> module;
    std::unique_ptr<TCorePlayer> player;
    plat::win::HWND hostWindow = 0;
    plat::win::HMODULE moduleHandle = nullptr;
    std::optional<std::string> text;
    TOrderGate gate;

    // A new instance whose notifications go to the host window; null for a null text.
    static TCoreInstance* Create(plat::win::HWND hostWindow, const char* text);

    // Closes and destroys the player and the module record once the orders in flight have finished;
    // the record stays. Asked inside an order of the instance, the free takes place as the thread's
    // outermost order ends. 0 also for an instance already freed; -1 for an instance that the core
    // did not make, and while answering a message sent from another thread with orders in flight
    // (one of them may wait for the answer): the instance then stays as it was.
    static int Free(TCoreInstance* instance);

    // Runs an order on the instance's player; -1 for an instance that the core did not make or whose
    // free has begun.
    static int SendOrder(TCoreInstance* instance, std::uint32_t order, void* record, void** out);

    // The player of an instance that the core made and has not freed; null otherwise. For callers
    // that free the instance on the same thread.
    static TCorePlayer* PlayerOf(TCoreInstance* instance);

private:
    void ReleasePlayer();
};
