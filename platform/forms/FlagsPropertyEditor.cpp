#include "platform/forms/FlagsPropertyEditor.h"

#include <QCheckBox>
#include <QVBoxLayout>

namespace plat::forms {

namespace {

bool AllSet(guint mask, guint bits) {
    return (mask & bits) == bits;
}

} // namespace

FlagsPropertyEditor::FlagsPropertyEditor(const media::PropertyInfo& info, QWidget* parent)
    : PropertyEditor(info) {
    auto* group = new QWidget(parent);
    auto* column = new QVBoxLayout(group);
    column->setContentsMargins(0, 0, 0, 0);
    const GFlagsClass* values = G_PARAM_SPEC_FLAGS(info.spec)->flags_class;
    for (guint i = 0; i < values->n_values; ++i) {
        const GFlagsValue& flag = values->values[i];
        if (flag.value == 0) {
            continue; // a flag of no bits has nothing to check
        }
        auto* box = new QCheckBox(QString::fromUtf8(flag.value_name), group);
        box->setObjectName(QString::fromUtf8(flag.value_nick));
        column->addWidget(box);
        flags_.push_back({box, flag.value});
    }
    SetWidget(group);
}

void FlagsPropertyEditor::Show(const GValue& value) {
    loaded_ = g_value_get_flags(&value);
    for (const Flag& flag : flags_) {
        flag.box->setChecked(AllSet(loaded_, flag.bits));
    }
}

guint FlagsPropertyEditor::Mask() const {
    guint mask = loaded_;
    for (const Flag& flag : flags_) {
        if (!flag.box->isChecked() && AllSet(loaded_, flag.bits)) {
            mask &= ~flag.bits;
        }
    }
    for (const Flag& flag : flags_) {
        if (flag.box->isChecked()) {
            mask |= flag.bits;
        }
    }
    return mask;
}

bool FlagsPropertyEditor::Read(GValue& value) const {
    g_value_set_flags(&value, Mask());
    return true;
}

QVariant FlagsPropertyEditor::State() const {
    return Mask();
}

} // namespace plat::forms
