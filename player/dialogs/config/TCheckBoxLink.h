#pragma once
// A check box of the dialog as the settings model sees it.
#include "player/model/settings/IConfigCheckBox.h"

class QAbstractButton;

class TCheckBoxLink : public IConfigCheckBox {
public:
    explicit TCheckBoxLink(QAbstractButton& box) : box_(box) {}
    bool Checked() const override;
    void SetChecked(bool checked) override;

private:
    QAbstractButton& box_;
};
