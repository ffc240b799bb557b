// A decoder plug-in for the host's tests. Its exports and names come from compile definitions; it
// writes one event naming itself and the data, counts Init calls and the buffers it has handed out
// and not yet got back. Data "fail" fails the decode, "nothing" decodes to no text, "noevents" to a
// script without events, and "keep" leaves the advanced setting as it came; the dialog hands out a
// setting naming the plug-in, keeps a given "keep", is cancelled for a given "cancel" and hands out
// 60 two-byte characters for a given "long". The last extra text IsCompatible got is kept.
#include "plugins/decoders/support/ScrExports.h"
#include "plugins/decoders/support/SsaV4Writer.h"

#include <string>

namespace {

int32_t initCalls = 0;
int32_t liveBuffers = 0;
std::string lastExtra;

char* Counted(char* buffer) {
    liveBuffers += buffer != nullptr ? 1 : 0;
    return buffer;
}

int32_t DecodeData(const void* data, int32_t size, void** text, int32_t* textSize, char** advanced,
                   int32_t* advancedLength) {
    if (data == nullptr || size <= 0 || text == nullptr || textSize == nullptr) {
        return 0;
    }
    const std::string input(static_cast<const char*>(data), static_cast<std::size_t>(size));
    if (input == "fail") {
        return 0;
    }
    if (input != "nothing") {
        TMarkupEvent event;
        event.End = 1000;
        event.Style = "Default";
        event.Text = std::string(TEST_PLUGIN_NAME) + ": " + input;
        const std::vector<TMarkupEvent> events =
            input == "noevents" ? std::vector<TMarkupEvent>() : std::vector<TMarkupEvent>{event};
        const std::string script = scr::WriteAnsiSsaV4({}, events);
        *text = Counted(scr::HandOut(script));
        *textSize = static_cast<int32_t>(script.size());
    }
    if (advanced != nullptr && input != "keep") {
        const std::string old = *advanced != nullptr && advancedLength != nullptr && *advancedLength > 0
                                    ? std::string(*advanced, static_cast<std::size_t>(*advancedLength))
                                    : std::string();
        const std::string setting = std::string(TEST_PLUGIN_NAME) + "<" + old + ">";
        *advanced = Counted(scr::HandOut(setting));
        if (advancedLength != nullptr) {
            *advancedLength = static_cast<int32_t>(setting.size());
        }
    }
    return 1;
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) int32_t TestInitCalls() {
    return initCalls;
}

__attribute__((visibility("default"))) int32_t TestLiveBuffers() {
    return liveBuffers;
}

#ifdef TEST_PLUGIN_INIT
__attribute__((visibility("default"))) int32_t Init() {
    ++initCalls;
    return 1;
}
#endif

__attribute__((visibility("default"))) const char* TestLastExtra() {
    return lastExtra.c_str();
}

__attribute__((visibility("default"))) int32_t IsCompatible(const char* type, int32_t length,
                                                            const char* extra, int32_t extraLength) {
    lastExtra =
        extra != nullptr && extraLength > 0 ? std::string(extra, static_cast<std::size_t>(extraLength)) : "";
    return scr::MatchesNameStart(type, length, {TEST_PLUGIN_NAMES}) ? 1 : 0;
}

#ifdef TEST_PLUGIN_DECODE_ADV
__attribute__((visibility("default"))) int32_t DecodeAdv(const void* data, int32_t size, const char*,
                                                         void** text, int32_t* textSize, char** advanced,
                                                         int32_t* advancedLength) {
    return DecodeData(data, size, text, textSize, advanced, advancedLength);
}
#endif

__attribute__((visibility("default"))) int32_t Decode(const void* data, int32_t size, void** text,
                                                      int32_t* textSize, char** advanced,
                                                      int32_t* advancedLength) {
    return DecodeData(data, size, text, textSize, advanced, advancedLength);
}

__attribute__((visibility("default"))) int32_t FreeBuffer(void** text, char** advanced) {
    liveBuffers -=
        (text != nullptr && *text != nullptr ? 1 : 0) + (advanced != nullptr && *advanced != nullptr ? 1 : 0);
    return scr::FreeHandedOut(text, advanced);
}

#ifndef TEST_PLUGIN_NO_SHOW_ADVANCED
__attribute__((visibility("default"))) int32_t ShowAdvanced(uint32_t, char** advanced,
                                                            int32_t* advancedLength) {
    if (advanced == nullptr || advancedLength == nullptr) {
        return 0;
    }
    const std::string given = *advanced != nullptr && *advancedLength > 0
                                  ? std::string(*advanced, static_cast<std::size_t>(*advancedLength))
                                  : std::string();
    if (given == "keep" || given == "cancel") {
        return given == "keep" ? 1 : 0;
    }
    std::string setting = std::string(TEST_PLUGIN_NAME) + " setting";
    if (given == "long") {
        setting.clear();
        for (int i = 0; i < 60; ++i) {
            setting += "\xC3\xA9";
        }
    }
    *advanced = Counted(scr::HandOut(setting));
    *advancedLength = static_cast<int32_t>(setting.size());
    return 1;
}
#endif

} // extern "C"
