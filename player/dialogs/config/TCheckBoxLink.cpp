#include "player/dialogs/config/TCheckBoxLink.h"

#include <QAbstractButton>

bool TCheckBoxLink::Checked() const {
    return box_.isChecked();
}

void TCheckBoxLink::SetChecked(bool checked) {
    box_.setChecked(checked);
}
