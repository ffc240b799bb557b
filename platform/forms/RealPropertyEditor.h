#pragma once
// A floating-point property as a spin box over the property's range.
#include "platform/forms/PropertyEditor.h"

class QDoubleSpinBox;

namespace plat::forms {

class RealPropertyEditor : public PropertyEditor {
public:
    static constexpr int kDecimals = 6;

    RealPropertyEditor(const media::PropertyInfo& info, QWidget* parent);

protected:
    void Show(const GValue& value) override;
    bool Read(GValue& value) const override;
    QVariant State() const override;

private:
    QDoubleSpinBox* box_;
};

} // namespace plat::forms
