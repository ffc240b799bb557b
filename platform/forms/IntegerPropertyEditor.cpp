#include "platform/forms/IntegerPropertyEditor.h"

#include <utility>

namespace plat::forms {

namespace {

using Value = WideSpinBox::Value;

std::pair<Value, Value> RangeOf(const GParamSpec* spec) {
    switch (G_TYPE_FUNDAMENTAL(G_PARAM_SPEC_VALUE_TYPE(spec))) {
    case G_TYPE_CHAR:
        return {G_PARAM_SPEC_CHAR(spec)->minimum, G_PARAM_SPEC_CHAR(spec)->maximum};
    case G_TYPE_UCHAR:
        return {G_PARAM_SPEC_UCHAR(spec)->minimum, G_PARAM_SPEC_UCHAR(spec)->maximum};
    case G_TYPE_INT:
        return {G_PARAM_SPEC_INT(spec)->minimum, G_PARAM_SPEC_INT(spec)->maximum};
    case G_TYPE_UINT:
        return {G_PARAM_SPEC_UINT(spec)->minimum, G_PARAM_SPEC_UINT(spec)->maximum};
    case G_TYPE_LONG:
        return {G_PARAM_SPEC_LONG(spec)->minimum, G_PARAM_SPEC_LONG(spec)->maximum};
    case G_TYPE_ULONG:
        return {G_PARAM_SPEC_ULONG(spec)->minimum, G_PARAM_SPEC_ULONG(spec)->maximum};
    case G_TYPE_INT64:
        return {G_PARAM_SPEC_INT64(spec)->minimum, G_PARAM_SPEC_INT64(spec)->maximum};
    default: // G_TYPE_UINT64, the one integer kind left
        return {G_PARAM_SPEC_UINT64(spec)->minimum, G_PARAM_SPEC_UINT64(spec)->maximum};
    }
}

Value Get(const GValue& value) {
    switch (G_TYPE_FUNDAMENTAL(G_VALUE_TYPE(&value))) {
    case G_TYPE_CHAR:
        return g_value_get_schar(&value);
    case G_TYPE_UCHAR:
        return g_value_get_uchar(&value);
    case G_TYPE_INT:
        return g_value_get_int(&value);
    case G_TYPE_UINT:
        return g_value_get_uint(&value);
    case G_TYPE_LONG:
        return g_value_get_long(&value);
    case G_TYPE_ULONG:
        return g_value_get_ulong(&value);
    case G_TYPE_INT64:
        return g_value_get_int64(&value);
    default:
        return g_value_get_uint64(&value);
    }
}

// The number is within the property's range, so every narrowing keeps it.
void Set(GValue& value, Value number) {
    switch (G_TYPE_FUNDAMENTAL(G_VALUE_TYPE(&value))) {
    case G_TYPE_CHAR:
        g_value_set_schar(&value, static_cast<gint8>(number));
        break;
    case G_TYPE_UCHAR:
        g_value_set_uchar(&value, static_cast<guchar>(number));
        break;
    case G_TYPE_INT:
        g_value_set_int(&value, static_cast<gint>(number));
        break;
    case G_TYPE_UINT:
        g_value_set_uint(&value, static_cast<guint>(number));
        break;
    case G_TYPE_LONG:
        g_value_set_long(&value, static_cast<glong>(number));
        break;
    case G_TYPE_ULONG:
        g_value_set_ulong(&value, static_cast<gulong>(number));
        break;
    case G_TYPE_INT64:
        g_value_set_int64(&value, static_cast<gint64>(number));
        break;
    default:
        g_value_set_uint64(&value, static_cast<guint64>(number));
        break;
    }
}

} // namespace

IntegerPropertyEditor::IntegerPropertyEditor(const media::PropertyInfo& info, QWidget* parent)
    : PropertyEditor(info),
      box_(new WideSpinBox(RangeOf(info.spec).first, RangeOf(info.spec).second, parent)) {
    SetWidget(box_);
}

void IntegerPropertyEditor::Show(const GValue& value) {
    box_->setValue(Get(value));
}

bool IntegerPropertyEditor::Read(GValue& value) const {
    Set(value, box_->value());
    return true;
}

QVariant IntegerPropertyEditor::State() const {
    return WideSpinBox::Text(box_->value());
}

} // namespace plat::forms
