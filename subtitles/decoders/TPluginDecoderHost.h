#pragma once
// The script reader's decoder host over the plug-ins of the program's System folder.
#include "subtitles/decoders/TNewScriptLoader.h"
#include "subtitles/scripts/TScriptDecoderHost.h"

#include <memory>
#include <string>

class TPluginDecoderHost : public TScriptDecoderHost {
public:
    // Loads the plug-ins of `folder` once.
    explicit TPluginDecoderHost(const std::string& folder);
    // The host over "System" below the program folder.
    static std::unique_ptr<TPluginDecoderHost> FromProgramFolder();

    bool Decode(std::string_view bytes, std::u16string_view selector, std::string_view type,
                std::string& advanced, std::string& text) override;
    // The dialog of the plug-in chosen as for decoding, with the current setting as the extra text.
    int32_t ShowAdvanced(plat::win::HWND parent, std::u16string_view selector, char** advanced,
                         int32_t* advancedLength) override;
    int32_t FreeAdvanced(char** advanced) override;

    TNewScriptLoader& Loader() { return FLoader; }

private:
    // Runs the current plug-in over the bytes and copies out what it handed out.
    bool DecodeWithCurrent(std::string_view bytes, std::string& advanced, std::string& text);

    TNewScriptLoader FLoader;
};
