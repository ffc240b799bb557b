#include "player/model/events/TCallbackFunction.h"

#include <vector>

int32_t TCallbackFunction::Register(TPointer<TCallbackFunction>* list, void* userData, uint32_t tag,
                                    TPlayerEventCallback callback) {
    if (list == nullptr) {
        return -1;
    }
    if (callback != nullptr) {
        TCallbackFunction* listener = list->Insert(list->Tail, std::make_unique<TCallbackFunction>());
        listener->Callback = callback;
        listener->UserData = userData;
        listener->Tag = tag;
        return 0;
    }
    for (TCallbackFunction* listener = list->Head; listener != nullptr; listener = listener->Next) {
        if (listener->UserData == userData) {
            list->Delete(listener);
            break;
        }
    }
    return 0;
}

int32_t TCallbackFunction::Broadcast(TPointer<TCallbackFunction>* list, uint32_t event, intptr_t a,
                                     intptr_t b, intptr_t c) {
    if (list == nullptr || list->Count == 0) {
        return -1;
    }
    // A copy, so that a listener that changes the list does not pull items from under the walk.
    struct Call {
        TPlayerEventCallback callback;
        void* userData;
        uint32_t tag;
    };
    std::vector<Call> calls;
    calls.reserve(static_cast<size_t>(list->Count));
    for (const TCallbackFunction* listener = list->Head; listener != nullptr; listener = listener->Next) {
        if (listener->Callback != nullptr && listener->UserData != nullptr) {
            calls.push_back({listener->Callback, listener->UserData, listener->Tag});
        }
    }
    for (const Call& call : calls) {
        call.callback(call.userData, call.tag, event, a, b, c);
    }
    return 0;
}
