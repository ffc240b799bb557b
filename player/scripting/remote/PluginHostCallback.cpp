#include "player/scripting/remote/PluginHostCallback.h"

#include "player/scripting/remote/TPlugIns.h"

extern "C" int32_t PluginHostCallback(void* context, const char16_t* text, int32_t length, int32_t* consumed,
                                      char16_t* answer, int32_t* answerSize) {
    if (context == nullptr || text == nullptr) {
        return 0;
    }
    auto* item = static_cast<TPlugInsItems*>(context);
    TPlugIns* owner = item->Owner();
    return owner != nullptr ? owner->ExecuteCommand(item, text, length, consumed, answer, answerSize) : 0;
}
