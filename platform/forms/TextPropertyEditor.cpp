#include "platform/forms/TextPropertyEditor.h"

#include <QLineEdit>

namespace plat::forms {

TextPropertyEditor::TextPropertyEditor(const media::PropertyInfo& info, QWidget* parent)
    : PropertyEditor(info), line_(new QLineEdit(parent)) {
    SetWidget(line_);
}

void TextPropertyEditor::Show(const GValue& value) {
    line_->setText(QString::fromUtf8(g_value_get_string(&value)));
}

bool TextPropertyEditor::Read(GValue& value) const {
    g_value_set_string(&value, line_->text().toUtf8().constData());
    return true;
}

QVariant TextPropertyEditor::State() const {
    return line_->text();
}

} // namespace plat::forms
