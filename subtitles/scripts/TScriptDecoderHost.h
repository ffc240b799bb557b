#pragma once
// The decoder plug-in host as the script reader sees it: turns a non-native subtitle file into
// SubStation text. The host picks the plug-in (one compatible with the selector, else its catch-all
// one), lets it decode, and hands back the text and the plug-in's advanced settings string; it
// returns the plug-in's buffers to the plug-in itself. A host may also offer the plug-ins'
// advanced-settings dialogs (the editor's does; the player's offers none).
#include "platform/win/Types.h"

#include <cstdint>
#include <string>
#include <string_view>

class TScriptDecoderHost {
public:
    virtual ~TScriptDecoderHost() = default;

    // `bytes` are the raw file bytes, `selector` the type or extension, `type` the script's type.
    // `advanced` holds the script's advanced string and receives the plug-in's (empty when it
    // designates none). False when no plug-in takes the file or decoding fails.
    virtual bool Decode(std::string_view bytes, std::u16string_view selector, std::string_view type,
                        std::string& advanced, std::string& text) = 0;

    // Shows the advanced-settings dialog of the plug-in chosen for `selector` over `parent`, starting
    // from the setting *advanced (*advancedLength bytes). When the plug-in hands out a new setting it
    // replaces *advanced and *advancedLength and must go back through FreeAdvanced. Answers the
    // plug-in's result; this base offers no dialog and answers 0.
    virtual int32_t ShowAdvanced(plat::win::HWND parent, std::u16string_view selector, char** advanced,
                                 int32_t* advancedLength);
    // Hands a setting from ShowAdvanced back to the plug-in that allocated it and clears the pointer;
    // a pointer no plug-in handed out is left alone and answers 0.
    virtual int32_t FreeAdvanced(char** advanced);
};
