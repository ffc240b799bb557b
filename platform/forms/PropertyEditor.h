#pragma once
// One property of an element on a properties frame: a widget named after the property that shows the
// value the element had when it was loaded, and writes the edited value back only when it differs.
// A property that cannot change now is shown disabled.
#include "platform/media/ElementProperties.h"

#include <QVariant>

#include <functional>

class QWidget;

namespace plat::forms {

class PropertyEditor {
public:
    explicit PropertyEditor(const media::PropertyInfo& info);
    virtual ~PropertyEditor() = default;
    PropertyEditor(const PropertyEditor&) = delete;
    PropertyEditor& operator=(const PropertyEditor&) = delete;

    const char* Name() const { return g_param_spec_get_name(info_.spec); }
    const media::PropertyInfo& Info() const { return info_; }
    QWidget* Widget() const { return widget_; }

    // Shows the object's current value.
    void Load(GObject* object);
    // Whether the user changed the value since it was loaded.
    bool Changed() const;
    // Writes the edited value when the property is editable, the value changed and it is valid.
    void Apply(GObject* object) const;

    // Whether the edited value can be written; `changed` is called whenever that may have changed.
    virtual bool Valid() const { return true; }
    virtual void WatchValidity(std::function<void()> changed) {}

protected:
    // Called once by the derived constructor with its widget (parented by the caller's form).
    void SetWidget(QWidget* widget);
    virtual void Show(const GValue& value) = 0;
    // Fills a value of the property's type; false when the edited text gives none.
    virtual bool Read(GValue& value) const = 0;
    // What the user sees, in a form that compares equal exactly when the value is unchanged.
    virtual QVariant State() const = 0;

private:
    media::PropertyInfo info_;
    QWidget* widget_ = nullptr; // owned by its Qt parent
    QVariant loaded_;
};

} // namespace plat::forms
