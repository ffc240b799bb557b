#pragma once
// The common keys of the settings file: the default subtitle style, the file paths, the style
// override, the DVD drive, the colour key, the general keys and the custom graph names.
#include "core/include/SubtitleRecords.h"
#include "player/model/settings/TIniExchange.h"
#include "player/model/settings/Tag_VokradConfig.h"

class TVokradConfigKeys {
public:
    // Reads or writes every key in the file's order. Of the style, only the fields the keys name are
    // touched.
    static void Exchange(TIniExchange& keys, Tag_VokradConfig& config, TSubtitleStyleRecord& style);

private:
    static void ExchangeStyle(TIniExchange& keys, Tag_VokradConfig& config, TSubtitleStyleRecord& style);
};
