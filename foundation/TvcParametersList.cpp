#include "foundation/TvcParametersList.h"

#include <string_view>

bool TvcParametersList::Add(const char16_t* name, const char16_t* value, bool duplicates) {
    if (!name || !*name) {
        return false;
    }
    if (!duplicates) {
        if (TParameterEntry* entry = Find(name)) {
            if (value && *value) {
                entry->Set(name, value);
                return true;
            }
            Delete(entry);
        }
    }
    TPointer::Add()->Set(name, value);
    return true;
}

bool TvcParametersList::GetValue(const char16_t* name, std::u16string& value) {
    value.clear();
    const TParameterEntry* entry = name ? Find(name) : nullptr;
    if (!entry) {
        return false;
    }
    if (entry->Value) {
        value = entry->Value.get();
    }
    return true;
}

TParameterEntry* TvcParametersList::Find(const char16_t* name) {
    const std::u16string_view wanted(name);
    for (bool more = First(); more; more = Next()) {
        if (Current->Name && wanted == Current->Name.get()) {
            return Current;
        }
    }
    return nullptr;
}
