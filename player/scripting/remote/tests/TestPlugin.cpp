// A remote plug-in for the host tests. Which exports it has comes from the build; what it does is
// set by the test through tovtest_Control before the host loads it.
#include "player/scripting/remote/tests/TestPluginControl.h"

#include <thread>

namespace {

TestPluginControl control;
void* hostContext = nullptr;
TovPluginHostCallback hostCallback = nullptr;
std::thread commandThread;

int32_t Send(TestPluginCommand& command) {
    if (hostCallback == nullptr) {
        return -1;
    }
    command.answerSize = command.capacity;
    return hostCallback(hostContext, command.text.data(), static_cast<int32_t>(command.text.size()),
                        &command.consumed, command.answer.data(), &command.answerSize);
}

} // namespace

TOVPLUG_EXPORT TestPluginControl* tovtest_Control() {
    return &control;
}

TOVPLUG_EXPORT int32_t tovtest_Send(TestPluginCommand* command) {
    return Send(*command);
}

#ifndef TESTPLUG_NO_START
TOVPLUG_EXPORT int32_t tovplug_Start(int32_t argument) {
    ++control.starts;
    control.startArgument = argument;
    return 1;
}
#endif

#ifndef TESTPLUG_NO_STOP
TOVPLUG_EXPORT int32_t tovplug_Stop() {
    ++control.stops;
    const int32_t result = control.stopResult; // read before the test may unload the library
    if (commandThread.joinable()) {
        commandThread.join();
    }
    if (control.stopBlocks) {
        std::unique_lock lock(control.releaseLock);
        control.released.wait(lock, [] { return control.stopReleased; });
        control.stopReturned = true;
        control.released.notify_all();
    }
    return result;
}
#endif

#ifndef TESTPLUG_NO_CALLBACK
TOVPLUG_EXPORT int32_t tovplug_SetCallback(void* context, TovPluginHostCallback callback, uint32_t* window,
                                           uint32_t* groupMask) {
    ++control.callbackCalls;
    hostContext = context;
    hostCallback = callback;
    if (window != nullptr && groupMask != nullptr) {
        control.windowSeenBefore = *window;
        control.maskSeenBefore = *groupMask;
        *window = control.window;
        *groupMask = control.groupMask;
    }
    if (callback != nullptr && control.commandThreadOnCallback) {
        commandThread = std::thread([] { control.threadCommand.result = Send(control.threadCommand); });
    }
    if (callback != nullptr && control.commandInSetCallback) {
        control.setCallbackCommand.result = Send(control.setCallbackCommand);
    }
    return 1;
}

TOVPLUG_EXPORT int32_t tovplug_ShowProperties(uint32_t parentWindow, int32_t reserved) {
    ++control.propertiesCalls;
    control.propertiesParent = parentWindow;
    control.propertiesReserved = reserved;
    return control.propertiesResult;
}
#endif

#ifdef TESTPLUG_PRODUCT_NAME
TOVPLUG_EXPORT const char tovplug_ProductName[] = TESTPLUG_PRODUCT_NAME;
#endif
