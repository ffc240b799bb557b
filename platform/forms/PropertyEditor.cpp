#include "platform/forms/PropertyEditor.h"

#include "platform/forms/PropertyValue.h"

#include <QWidget>

namespace plat::forms {

PropertyEditor::PropertyEditor(const media::PropertyInfo& info) : info_(info) {}

void PropertyEditor::SetWidget(QWidget* widget) {
    widget_ = widget;
    widget_->setObjectName(QString::fromUtf8(Name()));
    widget_->setToolTip(QString::fromUtf8(g_param_spec_get_blurb(info_.spec)));
    widget_->setEnabled(info_.editable);
}

void PropertyEditor::Load(GObject* object) {
    PropertyValue value(info_.spec);
    g_object_get_property(object, Name(), value.get());
    Show(*value.get());
    loaded_ = State();
}

bool PropertyEditor::Changed() const {
    return State() != loaded_;
}

void PropertyEditor::Apply(GObject* object) const {
    if (!info_.editable || !Changed()) {
        return;
    }
    PropertyValue value(info_.spec);
    if (Read(*value.get())) {
        g_object_set_property(object, Name(), value.get());
    }
}

} // namespace plat::forms
