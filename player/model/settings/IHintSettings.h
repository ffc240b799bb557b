#pragma once
// The application's hint (tooltip) settings, which the player's settings file carries: the program's
// user interface implements this interface over its application object.
#include "player/model/settings/THintValues.h"

class IHintSettings {
public:
    virtual ~IHintSettings() = default;
    virtual THintValues Hints() const = 0;
    virtual void SetHints(const THintValues& hints) = 0;
};
