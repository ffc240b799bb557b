#pragma once
// One listener of an event source and the operations on a listener list. Every event source keeps its
// own list and calls its listeners in registration order with (user data, tag, event, a, b, c); the
// 8-bit answer is not used by any source. a, b and c are pointer-sized: event 32 passes a text in a.
#include "foundation/TPointer.h"

#include <cstdint>

using TPlayerEventCallback = uint8_t (*)(void* userData, uint32_t tag, uint32_t event, intptr_t a, intptr_t b,
                                         intptr_t c);

struct TCallbackFunction : TListItem<TCallbackFunction> {
    TPlayerEventCallback Callback = nullptr;
    void* UserData = nullptr;
    uint32_t Tag = 0;

    // With a callback, appends a listener (the same user data may be registered several times); with
    // none, removes the first listener registered with that user data. 0, or -1 for no list.
    static int32_t Register(TPointer<TCallbackFunction>* list, void* userData, uint32_t tag,
                            TPlayerEventCallback callback);

    // Calls every listener that has both a callback and user data, in registration order. A listener
    // may register or remove listeners while it is called: the call goes to the listeners the list
    // held when the broadcast began. 0, or -1 for no list or an empty one.
    static int32_t Broadcast(TPointer<TCallbackFunction>* list, uint32_t event, intptr_t a, intptr_t b,
                             intptr_t c);
};
