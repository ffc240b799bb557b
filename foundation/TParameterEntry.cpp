#include "foundation/TParameterEntry.h"

#include "platform/text/WideString.h"

void TParameterEntry::Set(const char16_t* name, const char16_t* value) {
    if (name && *name) {
        Name.reset(plat::text::WDup(name));
    }
    Value.reset(value && *value ? plat::text::WDup(value) : nullptr);
}
