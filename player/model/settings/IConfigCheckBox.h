#pragma once
// A check box of the settings dialog, as the settings model sees it.
class IConfigCheckBox {
public:
    virtual ~IConfigCheckBox() = default;
    virtual bool Checked() const = 0;
    virtual void SetChecked(bool checked) = 0;
};
