#pragma once
// One named text value of a TvcParametersList.
#include "foundation/TPointer.h"

#include <memory>

class TParameterEntry : public TListItem<TParameterEntry> {
public:
    // A given, non-empty name replaces the name (otherwise it stays); a given, non-empty value
    // replaces the value, a missing or empty one removes it.
    void Set(const char16_t* name, const char16_t* value);

    std::unique_ptr<char16_t[]> Name;  // none or a C string
    std::unique_ptr<char16_t[]> Value; // none or a non-empty C string
};
