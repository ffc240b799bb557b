#include "platform/storage/CompoundElement.h"

#include "platform/text/CaseFold.h"

namespace plat::storage {

CompoundElement* CompoundElement::Find(std::u16string_view childName) {
    for (CompoundElement& child : children) {
        if (text::EqualsNoCase(child.name, childName)) {
            return &child;
        }
    }
    return nullptr;
}

const CompoundElement* CompoundElement::Find(std::u16string_view childName) const {
    return const_cast<CompoundElement*>(this)->Find(childName);
}

} // namespace plat::storage
