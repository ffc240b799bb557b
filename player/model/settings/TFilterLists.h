#pragma once
// What the settings model knows of the installed filters and filter files: the display names and
// class ids (same index) of the DVD decoders and audio renderers the core lists, and the files of the
// two "Filters" folders by base name with their kind.
#include "player/model/settings/TNamedItem.h"

#include <string>
#include <vector>

struct TFilterLists {
    // Kinds of filter files (the low byte of a filter grid row's number).
    static constexpr std::int32_t kFilterFile = 1; // ".dshowfilter"
    static constexpr std::int32_t kPatchFile = 2;  // ".dshowpatch"
    static constexpr std::int32_t kFilterData = 3; // ".filterdata"
    // Bits of a filter grid row's number.
    static constexpr std::int32_t kPatched = 0x100;   // the file is patched into the graph
    static constexpr std::int32_t kForbidden = 0x200; // the file lists filters the graph must not use

    std::vector<std::u16string> VideoDecoderNames;
    std::vector<std::u16string> AudioDecoderNames;
    std::vector<std::u16string> RendererNames;
    std::vector<std::u16string> VideoDecoderClsids;
    std::vector<std::u16string> AudioDecoderClsids;
    std::vector<std::u16string> RendererClsids;
    TNamedList MediaFilterFiles;
    TNamedList DVDFilterFiles;
};
