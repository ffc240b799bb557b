// The exports of scr_quend, the JACOsub decoder. Its advanced setting is the vertical resolution
// that positions are given in.
#include "plugins/decoders/markup/MarkupExports.h"
#include "plugins/decoders/quend/TJacoDecoder.h"
#include "plugins/decoders/support/AdvancedSetting.h"
#include "plugins/decoders/support/ScrExports.h"
#include "plugins/decoders/support/ShowAdvancedDialog.h"

#include <string_view>

#define SCR_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

double GivenResolution(char* const* advanced, const int32_t* advancedLength) {
    const bool given = advanced != nullptr && *advanced != nullptr && advancedLength != nullptr;
    return given ? scr::SettingValue(*advanced, *advancedLength, scr::kResolutionSetting)
                 : scr::kResolutionSetting.Default;
}

} // namespace

SCR_EXPORT int32_t IsCompatible(const char* type, int32_t length, const char*, int32_t) {
    return scr::MatchesNameStart(type, length, {"JS", ".JS", ".JSS"}) ? 1 : 0;
}

SCR_EXPORT int32_t Decode(const void* data, int32_t size, void** text, int32_t* textSize, char** advanced,
                          int32_t* advancedLength) {
    if (data == nullptr || size <= 0) {
        return 0;
    }
    const double resolution = GivenResolution(advanced, advancedLength);
    TJacoDecoder decoder(resolution);
    if (!decoder.Decode(std::string_view(static_cast<const char*>(data), static_cast<std::size_t>(size)))) {
        return 0;
    }
    return markup::HandOutScript(decoder.Styles(), decoder.Events().Events(),
                                 scr::FormatSetting(resolution, scr::kResolutionSetting), text, textSize,
                                 advanced, advancedLength);
}

SCR_EXPORT int32_t FreeBuffer(void** text, char** advanced) {
    return scr::FreeHandedOut(text, advanced);
}

SCR_EXPORT int32_t ShowAdvanced(uint32_t, char** advanced, int32_t* advancedLength) {
    const double shown = GivenResolution(advanced, advancedLength);
    return scr::ShowAdvancedDialog(scr::kResolutionPrompt, scr::FormatSetting(shown, scr::kResolutionSetting),
                                   advanced, advancedLength);
}
