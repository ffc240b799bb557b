#include "platform/forms/EnumPropertyEditor.h"

#include <QComboBox>

namespace plat::forms {

EnumPropertyEditor::EnumPropertyEditor(const media::PropertyInfo& info, QWidget* parent)
    : PropertyEditor(info), box_(new QComboBox(parent)) {
    const GEnumClass* values = G_PARAM_SPEC_ENUM(info.spec)->enum_class;
    for (guint i = 0; i < values->n_values; ++i) {
        box_->addItem(QString::fromUtf8(values->values[i].value_name), values->values[i].value);
    }
    SetWidget(box_);
}

// A value the type does not name (an element may hold one) is shown as its number.
void EnumPropertyEditor::Show(const GValue& value) {
    const gint number = g_value_get_enum(&value);
    int index = box_->findData(number);
    if (index < 0) {
        box_->addItem(QString::number(number), number);
        index = box_->count() - 1;
    }
    box_->setCurrentIndex(index);
}

bool EnumPropertyEditor::Read(GValue& value) const {
    g_value_set_enum(&value, box_->currentData().toInt());
    return true;
}

QVariant EnumPropertyEditor::State() const {
    return box_->currentData();
}

} // namespace plat::forms
