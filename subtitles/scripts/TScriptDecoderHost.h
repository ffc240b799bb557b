#pragma once
// The decoder plug-in host as the script reader sees it: turns a non-native subtitle file into
// SubStation text. The host picks the plug-in (one compatible with the selector, else its catch-all
// one), lets it decode, and hands back the text and the plug-in's advanced settings string; it
// returns the plug-in's buffers to the plug-in itself.
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
};
