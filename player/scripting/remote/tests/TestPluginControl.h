#pragma once
// What the host tests set in their test plug-in and read back from it.
#include "plugins/remote/include/TovPluginApi.h"

#include <array>
#include <condition_variable>
#include <mutex>
#include <string>

struct TestPluginCommand {
    std::u16string text;
    int32_t capacity = 0; // answer buffer size in bytes handed to the host
    std::array<char16_t, 64> answer{};
    int32_t answerSize = 0;
    int32_t consumed = -1;
    int32_t result = -1;
};

struct TestPluginControl {
    // Set by the test.
    uint32_t window = 0;
    uint32_t groupMask = 0;
    int32_t stopResult = 1;
    int32_t propertiesResult = 1;
    bool commandInSetCallback = false;
    bool commandThreadOnCallback = false;
    bool stopBlocks = false;
    TestPluginCommand setCallbackCommand;
    TestPluginCommand threadCommand;

    // Reported by the plug-in.
    int starts = 0;
    int stops = 0;
    int callbackCalls = 0;
    int propertiesCalls = 0;
    int32_t startArgument = -1;
    uint32_t windowSeenBefore = 1;
    uint32_t maskSeenBefore = 1;
    uint32_t propertiesParent = 0;
    int32_t propertiesReserved = -1;

    // Holds tovplug_Stop until the test releases it.
    std::mutex releaseLock;
    std::condition_variable released;
    bool stopReleased = false;
    bool stopReturned = false;
};

using TestPluginControlFn = TestPluginControl* (*)();
using TestPluginSendFn = int32_t (*)(TestPluginCommand*);
