#include "plugins/decoders/tamble/TFormatDefinition.h"

#include "platform/text/CaseFold.h"

#include <algorithm>

bool TFormatDefinition::AcceptsFilter(std::optional<std::u16string_view> filter) const {
    if (!filter || Extensions.empty() || !Identifier) {
        return true;
    }
    if (plat::text::EqualsNoCase(*Identifier, *filter)) {
        return true;
    }
    return std::any_of(Extensions.begin(), Extensions.end(), [&](const std::u16string& extension) {
        return plat::text::EqualsNoCase(extension, *filter);
    });
}
