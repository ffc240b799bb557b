#pragma once
// A boolean property as a check box.
#include "platform/forms/PropertyEditor.h"

class QCheckBox;

namespace plat::forms {

class BoolPropertyEditor : public PropertyEditor {
public:
    BoolPropertyEditor(const media::PropertyInfo& info, QWidget* parent);

protected:
    void Show(const GValue& value) override;
    bool Read(GValue& value) const override;
    QVariant State() const override;

private:
    QCheckBox* box_;
};

} // namespace plat::forms
