#include "platform/forms/PropertyEditorFactory.h"

#include "platform/forms/BoolPropertyEditor.h"
#include "platform/forms/EnumPropertyEditor.h"
#include "platform/forms/FlagsPropertyEditor.h"
#include "platform/forms/IntegerPropertyEditor.h"
#include "platform/forms/RealPropertyEditor.h"
#include "platform/forms/SerializedPropertyEditor.h"
#include "platform/forms/TextPropertyEditor.h"

namespace plat::forms {

std::unique_ptr<PropertyEditor> MakePropertyEditor(const media::PropertyInfo& info, QWidget* parent) {
    switch (info.kind) {
    case media::PropertyKind::Boolean:
        return std::make_unique<BoolPropertyEditor>(info, parent);
    case media::PropertyKind::Integer:
        return std::make_unique<IntegerPropertyEditor>(info, parent);
    case media::PropertyKind::Real:
        return std::make_unique<RealPropertyEditor>(info, parent);
    case media::PropertyKind::Enumeration:
        return std::make_unique<EnumPropertyEditor>(info, parent);
    case media::PropertyKind::Flags:
        return std::make_unique<FlagsPropertyEditor>(info, parent);
    case media::PropertyKind::Text:
        return std::make_unique<TextPropertyEditor>(info, parent);
    case media::PropertyKind::Serialized:
        return std::make_unique<SerializedPropertyEditor>(info, parent);
    }
    return nullptr;
}

} // namespace plat::forms
