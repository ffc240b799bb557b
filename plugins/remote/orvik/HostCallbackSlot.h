#pragma once
// The player's command entry and its context, set on the host's thread and used on the reader's.
#include "plugins/remote/include/TovPluginApi.h"

#include <mutex>
#include <string>

namespace orvik {

class HostCallbackSlot {
public:
    // Both null detaches.
    void Set(void* context, TovPluginHostCallback callback);
    bool IsSet() const;
    // Hands the command text to the player, without asking for an answer; blocks until the player
    // has run it. False, calling nothing, when no callback is set.
    bool Send(const std::u16string& text) const;

private:
    mutable std::mutex Mutex;
    void* Context = nullptr;
    TovPluginHostCallback Callback = nullptr;
};

} // namespace orvik
