#pragma once
// The player instance record that a host holds as its handle. Records live until the library is
// unloaded: a freed instance keeps its record without a player, so that a handle used again finds
// no player instead of freed memory, and handles that the core never made are recognised.
#include "core/src/TCorePlayer.h"
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

    // A new instance whose notifications go to the host window; null for a null text.
    static TCoreInstance* Create(plat::win::HWND hostWindow, const char* text);

    // Closes and destroys the player and the module record; the record stays. -1 for an instance
    // that the core did not make.
    static int Free(TCoreInstance* instance);

    // The player of an instance that the core made and has not freed; null otherwise.
    static TCorePlayer* PlayerOf(TCoreInstance* instance);
};
