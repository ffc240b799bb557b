#pragma once
// A property of a GStreamer value type (caps, a structure, a fraction) as its text form, which must
// parse back before it can be written. For caps and structures an empty text stands for none.
#include "platform/forms/PropertyEditor.h"

class QLineEdit;

namespace plat::forms {

class SerializedPropertyEditor : public PropertyEditor {
public:
    SerializedPropertyEditor(const media::PropertyInfo& info, QWidget* parent);

    bool Valid() const override;
    void WatchValidity(std::function<void()> changed) override;

protected:
    void Show(const GValue& value) override;
    bool Read(GValue& value) const override;
    QVariant State() const override;

private:
    bool MayBeNone() const;

    QLineEdit* line_;
};

} // namespace plat::forms
