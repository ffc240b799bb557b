// The exports of scr_dossa, the SAMI decoder. Its advanced setting is the class whose text is taken.
#include "plugins/decoders/dossa/TSamiDecoder.h"
#include "plugins/decoders/markup/MarkupExports.h"
#include "plugins/decoders/support/ScrExports.h"
#include "plugins/decoders/support/ShowAdvancedDialog.h"

#include <string>
#include <string_view>

#define SCR_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

// The class of the last decode, which the settings dialog shows.
std::string lastClass;

} // namespace

SCR_EXPORT int32_t IsCompatible(const char* type, int32_t length, const char*, int32_t) {
    return scr::MatchesNameStart(type, length, {"SAMI", ".SMI", ".SAMI"}) ? 1 : 0;
}

SCR_EXPORT int32_t Decode(const void* data, int32_t size, void** text, int32_t* textSize, char** advanced,
                          int32_t* advancedLength) {
    if (data == nullptr || size <= 0) {
        return 0;
    }
    TSamiDecoder decoder(markup::SettingText(advanced, advancedLength));
    if (!decoder.Decode(std::string_view(static_cast<const char*>(data), static_cast<std::size_t>(size)))) {
        return 0;
    }
    lastClass = decoder.ClassSetting();
    return markup::HandOutScript({}, decoder.Events().Events(), decoder.ClassSetting(), text, textSize,
                                 advanced, advancedLength);
}

SCR_EXPORT int32_t FreeBuffer(void** text, char** advanced) {
    return scr::FreeHandedOut(text, advanced);
}

SCR_EXPORT int32_t ShowAdvanced(uint32_t, char** advanced, int32_t* advancedLength) {
    return scr::ShowAdvancedDialog(scr::kSamiClassPrompt, lastClass, advanced, advancedLength);
}
