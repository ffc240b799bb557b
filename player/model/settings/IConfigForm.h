#pragma once
// The settings dialog as the settings model sees it: controls found by name without regard to case;
// nullptr when the form has no such control (or one of another kind).
#include "player/model/settings/IConfigCheckBox.h"
#include "player/model/settings/IConfigChoice.h"
#include "player/model/settings/IConfigGrid.h"

#include <string_view>

class IConfigForm {
public:
    virtual ~IConfigForm() = default;
    virtual IConfigCheckBox* FindCheckBox(std::string_view name) = 0;
    virtual IConfigChoice* FindChoice(std::string_view name) = 0;
    virtual IConfigGrid* FindGrid(std::string_view name) = 0;
};
