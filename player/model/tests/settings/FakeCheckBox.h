#pragma once
#include "player/model/settings/IConfigCheckBox.h"

class FakeCheckBox : public IConfigCheckBox {
public:
    bool Checked() const override { return checked; }
    void SetChecked(bool value) override { checked = value; }

    bool checked = false;
};
