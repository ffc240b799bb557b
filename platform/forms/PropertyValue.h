#pragma once
// A GValue of a property's type, unset on destruction.
#include <glib-object.h>

namespace plat::forms {

class PropertyValue {
public:
    explicit PropertyValue(const GParamSpec* spec) { g_value_init(&value_, G_PARAM_SPEC_VALUE_TYPE(spec)); }
    ~PropertyValue() { g_value_unset(&value_); }
    PropertyValue(const PropertyValue&) = delete;
    PropertyValue& operator=(const PropertyValue&) = delete;

    GValue* get() { return &value_; }
    const GValue* get() const { return &value_; }

private:
    GValue value_ = G_VALUE_INIT;
};

} // namespace plat::forms
