#pragma once
// A whole-number property of any width and sign as a spin box over the property's range.
#include "platform/forms/PropertyEditor.h"
#include "platform/forms/WideSpinBox.h"

namespace plat::forms {

class IntegerPropertyEditor : public PropertyEditor {
public:
    IntegerPropertyEditor(const media::PropertyInfo& info, QWidget* parent);

protected:
    void Show(const GValue& value) override;
    bool Read(GValue& value) const override;
    QVariant State() const override;

private:
    WideSpinBox* box_;
};

} // namespace plat::forms
