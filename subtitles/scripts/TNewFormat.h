#pragma once
// One column name of a script's "Format:" line, in a list of columns kept in line order.
#include "foundation/TPointer.h"

#include <cstddef>
#include <cstdint>
#include <string>

struct TNewFormat : TListItem<TNewFormat> {
    static constexpr std::size_t kMaxName = 99;

    std::u16string Name; // at most kMaxName characters
    // What the column stores, resolved once when the Format line is read so that every script line
    // is filled without comparing names again (the reader's own numbering).
    std::uint8_t Column = 0;
};
