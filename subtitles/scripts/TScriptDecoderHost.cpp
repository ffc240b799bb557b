#include "subtitles/scripts/TScriptDecoderHost.h"

int32_t TScriptDecoderHost::ShowAdvanced(plat::win::HWND, std::u16string_view, char**, int32_t*) {
    return 0;
}

int32_t TScriptDecoderHost::FreeAdvanced(char**) {
    return 0;
}
