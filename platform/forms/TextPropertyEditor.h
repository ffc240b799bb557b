#pragma once
// A string property as a line of text; a string the element does not have shows as empty.
#include "platform/forms/PropertyEditor.h"

class QLineEdit;

namespace plat::forms {

class TextPropertyEditor : public PropertyEditor {
public:
    TextPropertyEditor(const media::PropertyInfo& info, QWidget* parent);

protected:
    void Show(const GValue& value) override;
    bool Read(GValue& value) const override;
    QVariant State() const override;

private:
    QLineEdit* line_;
};

} // namespace plat::forms
