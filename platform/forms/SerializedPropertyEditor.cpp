#include "platform/forms/SerializedPropertyEditor.h"

#include "platform/forms/PropertyValue.h"
#include "platform/media/GstRef.h"

#include <QLineEdit>

#include <gst/gst.h>

#include <memory>

namespace plat::forms {

SerializedPropertyEditor::SerializedPropertyEditor(const media::PropertyInfo& info, QWidget* parent)
    : PropertyEditor(info), line_(new QLineEdit(parent)) {
    SetWidget(line_);
}

bool SerializedPropertyEditor::MayBeNone() const {
    return G_TYPE_FUNDAMENTAL(G_PARAM_SPEC_VALUE_TYPE(Info().spec)) == G_TYPE_BOXED;
}

void SerializedPropertyEditor::Show(const GValue& value) {
    if (MayBeNone() && g_value_get_boxed(&value) == nullptr) {
        line_->clear();
        return;
    }
    const std::unique_ptr<gchar, media::GFreeDeleter> text(gst_value_serialize(&value));
    line_->setText(QString::fromUtf8(text.get()));
}

bool SerializedPropertyEditor::Read(GValue& value) const {
    const QString text = line_->text().trimmed();
    if (text.isEmpty()) {
        return MayBeNone(); // the value stays none
    }
    return gst_value_deserialize(&value, text.toUtf8().constData()) != FALSE;
}

bool SerializedPropertyEditor::Valid() const {
    PropertyValue probe(Info().spec);
    return Read(*probe.get());
}

void SerializedPropertyEditor::WatchValidity(std::function<void()> changed) {
    QObject::connect(line_, &QLineEdit::textChanged, line_, [changed = std::move(changed)] { changed(); });
}

QVariant SerializedPropertyEditor::State() const {
    return line_->text().trimmed();
}

} // namespace plat::forms
