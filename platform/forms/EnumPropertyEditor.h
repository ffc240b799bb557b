#pragma once
// An enumerated property as a choice of its values by their names.
#include "platform/forms/PropertyEditor.h"

class QComboBox;

namespace plat::forms {

class EnumPropertyEditor : public PropertyEditor {
public:
    EnumPropertyEditor(const media::PropertyInfo& info, QWidget* parent);

protected:
    void Show(const GValue& value) override;
    bool Read(GValue& value) const override;
    QVariant State() const override;

private:
    QComboBox* box_;
};

} // namespace plat::forms
