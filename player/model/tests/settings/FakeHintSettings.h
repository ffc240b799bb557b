#pragma once
#include "player/model/settings/IHintSettings.h"

class FakeHintSettings : public IHintSettings {
public:
    THintValues Hints() const override { return values; }
    void SetHints(const THintValues& hints) override { values = hints; }

    THintValues values;
};
