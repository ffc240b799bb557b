#pragma once
// One column name of a profile's [Format] "Volume:" or "Language:" line.
#include "foundation/TPointer.h"

#include <cstddef>
#include <string>

struct TFormat : TListItem<TFormat> {
    // The name keeps at most this many bytes of UTF-8 text.
    static constexpr std::size_t kMaxName = 99;

    std::string Name;
};
