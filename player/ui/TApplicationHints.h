#pragma once
// The application's hint settings (shown or not, colour, delays), which the settings file fills and
// the forms read when they show hints.
#include "player/model/settings/IHintSettings.h"

class TApplicationHints : public IHintSettings {
public:
    THintValues Hints() const override { return values_; }
    void SetHints(const THintValues& hints) override { values_ = hints; }

private:
    THintValues values_{};
};
