#pragma once
// The editor for a property's kind, its widget made with the given parent.
#include "platform/forms/PropertyEditor.h"

#include <memory>

namespace plat::forms {

std::unique_ptr<PropertyEditor> MakePropertyEditor(const media::PropertyInfo& info, QWidget* parent);

} // namespace plat::forms
