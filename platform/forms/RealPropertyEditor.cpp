#include "platform/forms/RealPropertyEditor.h"

#include <QDoubleSpinBox>

namespace plat::forms {

namespace {

// Wide enough for twelve digits; the box scrolls for longer numbers instead of growing to the width of
// a range that may reach the largest double.
constexpr int kVisibleCharacters = 18;

bool IsFloat(const GParamSpec* spec) {
    return G_TYPE_FUNDAMENTAL(G_PARAM_SPEC_VALUE_TYPE(spec)) == G_TYPE_FLOAT;
}

} // namespace

RealPropertyEditor::RealPropertyEditor(const media::PropertyInfo& info, QWidget* parent)
    : PropertyEditor(info), box_(new QDoubleSpinBox(parent)) {
    box_->setDecimals(kDecimals);
    if (IsFloat(info.spec)) {
        box_->setRange(G_PARAM_SPEC_FLOAT(info.spec)->minimum, G_PARAM_SPEC_FLOAT(info.spec)->maximum);
    } else {
        box_->setRange(G_PARAM_SPEC_DOUBLE(info.spec)->minimum, G_PARAM_SPEC_DOUBLE(info.spec)->maximum);
    }
    box_->setStepType(QAbstractSpinBox::AdaptiveDecimalStepType);
    box_->setMaximumWidth(box_->fontMetrics().horizontalAdvance(u'0') * kVisibleCharacters);
    SetWidget(box_);
}

void RealPropertyEditor::Show(const GValue& value) {
    box_->setValue(IsFloat(Info().spec) ? g_value_get_float(&value) : g_value_get_double(&value));
}

bool RealPropertyEditor::Read(GValue& value) const {
    if (IsFloat(Info().spec)) {
        g_value_set_float(&value, static_cast<float>(box_->value()));
    } else {
        g_value_set_double(&value, box_->value());
    }
    return true;
}

QVariant RealPropertyEditor::State() const {
    return box_->value();
}

} // namespace plat::forms
