#include "plugins/remote/orvik/HostCallbackSlot.h"

namespace orvik {

void HostCallbackSlot::Set(void* context, TovPluginHostCallback callback) {
    const std::lock_guard lock(Mutex);
    Context = context;
    Callback = callback;
}

bool HostCallbackSlot::IsSet() const {
    const std::lock_guard lock(Mutex);
    return Callback != nullptr;
}

bool HostCallbackSlot::Send(const std::u16string& text) const {
    void* context = nullptr;
    TovPluginHostCallback callback = nullptr;
    {
        const std::lock_guard lock(Mutex);
        context = Context;
        callback = Callback;
    }
    if (callback == nullptr) {
        return false;
    }
    // The call blocks until the player's main thread has run the command: never under the lock.
    callback(context, text.c_str(), static_cast<int32_t>(text.size()), nullptr, nullptr, nullptr);
    return true;
}

} // namespace orvik
