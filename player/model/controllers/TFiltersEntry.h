#pragma once
// One filter of the current graph and its pins, as the core's FILTERSLIST document describes them.
#include "foundation/TPointer.h"

#include <optional>
#include <string>
#include <vector>

struct TFiltersEntry;

struct TPinEntry {
    bool Input = false;
    std::u16string Name;
    std::optional<std::u16string> ConnectedPin;   // the name of the pin at the other end
    std::optional<std::u16string> ConnectedClsid; // the class of the filter at the other end
    const TFiltersEntry* ConnectedFilter = nullptr;
};

struct TFiltersEntry : TListItem<TFiltersEntry> {
    std::optional<std::u16string> Name;
    std::optional<std::u16string> Clsid;
    bool HasPropertyPages = false;
    std::vector<TPinEntry> Pins;
    // Index (of TListItem) is the filter's 1-based number.
};
