#pragma once
// The loaded decoder plug-ins in load order, with the one chosen for the current file.
#include "foundation/TPointer.h"
#include "subtitles/decoders/TLoaderItems.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TNewScriptLoader {
public:
    // Loads every "scr_*.so" of the folder (names compared without regard to case, in name order)
    // and keeps those with the required exports; answers how many were kept.
    int32_t LoadFolder(const std::string& folder);

    // Makes current the first plug-in without DecodeAdv that accepts the type or extension.
    bool SelectCompatible(std::u16string_view type, const char* extra, int32_t extraLength);
    // Makes current the first plug-in with DecodeAdv (the generic decoder).
    bool SelectCatchAll();

    // Through the current plug-in; 0 when there is none.
    int32_t Decode(const void* data, int32_t size, void** text, int32_t* textSize, char** advanced,
                   int32_t* advancedLength) const;
    int32_t FreeBuffer(void** text, char** advanced) const;
    // A setting the dialog hands out is remembered with its plug-in, so that FreeAdvanced returns it
    // there whichever plug-in is current by then.
    int32_t ShowAdvanced(plat::win::HWND parent, char** advanced, int32_t* advancedLength);
    // Frees a setting ShowAdvanced handed out through its plug-in; 0, touching nothing, for any
    // other pointer (the caller's own string, or one already freed).
    int32_t FreeAdvanced(char** advanced);

    const TLoaderItems* Current() const { return FItems.Current; }
    int32_t Count() const { return FItems.Count; }
    // Unloads every plug-in; answers how many there were.
    int32_t Clear();

private:
    TPointer<TLoaderItems> FItems;
    std::vector<std::pair<const char*, const TLoaderItems*>> FHandedOut;
};
