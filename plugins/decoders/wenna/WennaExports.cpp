// The exports of scr_wenna, the SMIL decoder: files timed by RealText-style "time" tags, else by W3C
// par/seq timing. It keeps no advanced setting.
#include "plugins/decoders/markup/MarkupExports.h"
#include "plugins/decoders/support/ScrExports.h"
#include "plugins/decoders/wenna/TSmilDecoder.h"
#include "plugins/decoders/wenna/TSmilTimingDecoder.h"

#include <optional>
#include <string_view>

#define SCR_EXPORT extern "C" __attribute__((visibility("default")))

SCR_EXPORT int32_t IsCompatible(const char* type, int32_t length, const char*, int32_t) {
    return scr::MatchesNameStart(type, length, {"SMIL", ".RT"}) ? 1 : 0;
}

SCR_EXPORT int32_t Decode(const void* data, int32_t size, void** text, int32_t* textSize, char** advanced,
                          int32_t* advancedLength) {
    if (data == nullptr || size <= 0) {
        return 0;
    }
    const std::string_view bytes(static_cast<const char*>(data), static_cast<std::size_t>(size));
    TSmilDecoder realText;
    TSmilTimingDecoder timing;
    const TMarkupEventList* events = realText.Decode(bytes) ? &realText.Events()
                                     : timing.Decode(bytes) ? &timing.Events()
                                                            : nullptr;
    if (events == nullptr) {
        return 0;
    }
    return markup::HandOutScript({}, events->Events(), std::nullopt, text, textSize, advanced,
                                 advancedLength);
}

SCR_EXPORT int32_t FreeBuffer(void** text, char** advanced) {
    return scr::FreeHandedOut(text, advanced);
}

SCR_EXPORT int32_t ShowAdvanced(uint32_t, char** advanced, int32_t* advancedLength) {
    if (advanced != nullptr) {
        *advanced = nullptr;
    }
    if (advancedLength != nullptr) {
        *advancedLength = 0;
    }
    return 0;
}
