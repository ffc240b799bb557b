#pragma once
// A flags property as one check box per flag the type names, grouped in one widget. A flag that covers
// several bits sets or clears them all, and a checked box wins over an unchecked one that shares its
// bits. A flag of no bits ("none") gets no box.
#include "platform/forms/PropertyEditor.h"

#include <vector>

class QCheckBox;

namespace plat::forms {

class FlagsPropertyEditor : public PropertyEditor {
public:
    FlagsPropertyEditor(const media::PropertyInfo& info, QWidget* parent);

protected:
    void Show(const GValue& value) override;
    bool Read(GValue& value) const override;
    QVariant State() const override;

private:
    struct Flag {
        QCheckBox* box;
        guint bits;
    };
    guint Mask() const;

    std::vector<Flag> flags_;
    guint loaded_ = 0;
};

} // namespace plat::forms
