#include "subtitles/decoders/TPluginDecoderHost.h"

#include "platform/win/Library.h"

#include <cstring>
#include <limits>

TPluginDecoderHost::TPluginDecoderHost(const std::string& folder) {
    FLoader.LoadFolder(folder);
}

std::unique_ptr<TPluginDecoderHost> TPluginDecoderHost::FromProgramFolder() {
    return std::make_unique<TPluginDecoderHost>(plat::win::ProgramFolder() + "/System");
}

bool TPluginDecoderHost::Decode(std::string_view bytes, std::u16string_view selector, std::string_view type,
                                std::string& advanced, std::string& text) {
    const std::string extra(type);
    if (!FLoader.SelectCompatible(selector, extra.c_str(), static_cast<int32_t>(extra.size())) &&
        !FLoader.SelectCatchAll()) {
        return false;
    }
    return DecodeWithCurrent(bytes, advanced, text);
}

int32_t TPluginDecoderHost::ShowAdvanced(plat::win::HWND parent, std::u16string_view selector,
                                         char** advanced, int32_t* advancedLength) {
    const bool hasSetting = advanced != nullptr && *advanced != nullptr && advancedLength != nullptr;
    const char* extra = hasSetting ? *advanced : nullptr;
    const int32_t extraLength = hasSetting ? *advancedLength : 0;
    if (!FLoader.SelectCompatible(selector, extra, extraLength) && !FLoader.SelectCatchAll()) {
        return 0;
    }
    return FLoader.ShowAdvanced(parent, advanced, advancedLength);
}

int32_t TPluginDecoderHost::FreeAdvanced(char** advanced) {
    return FLoader.FreeAdvanced(advanced);
}

bool TPluginDecoderHost::DecodeWithCurrent(std::string_view bytes, std::string& advanced, std::string& text) {
    if (bytes.empty() || bytes.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) {
        return false;
    }
    std::string ours = advanced;
    char* const ourPointer = ours.data();
    char* setting = ourPointer;
    int32_t settingLength = static_cast<int32_t>(ours.size());
    void* output = nullptr;
    int32_t outputSize = 0;
    if (FLoader.Decode(bytes.data(), static_cast<int32_t>(bytes.size()), &output, &outputSize, &setting,
                       &settingLength) == 0) {
        return false;
    }
    const bool gotText = output != nullptr && outputSize > 0;
    text = gotText ? std::string(static_cast<const char*>(output), static_cast<std::size_t>(outputSize)) : "";
    // A plug-in that left our own string in place did not allocate it: only its own goes back.
    const bool newSetting = setting != ourPointer;
    if (newSetting) {
        advanced = setting != nullptr && settingLength > 0
                       ? std::string(setting, strnlen(setting, static_cast<std::size_t>(settingLength)))
                       : std::string();
    }
    FLoader.FreeBuffer(&output, newSetting ? &setting : nullptr);
    return gotText;
}
