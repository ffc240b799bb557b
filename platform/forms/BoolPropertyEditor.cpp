#include "platform/forms/BoolPropertyEditor.h"

#include <QCheckBox>

namespace plat::forms {

BoolPropertyEditor::BoolPropertyEditor(const media::PropertyInfo& info, QWidget* parent)
    : PropertyEditor(info), box_(new QCheckBox(parent)) {
    SetWidget(box_);
}

void BoolPropertyEditor::Show(const GValue& value) {
    box_->setChecked(g_value_get_boolean(&value) != FALSE);
}

bool BoolPropertyEditor::Read(GValue& value) const {
    g_value_set_boolean(&value, box_->isChecked() ? TRUE : FALSE);
    return true;
}

QVariant BoolPropertyEditor::State() const {
    return box_->isChecked();
}

} // namespace plat::forms
