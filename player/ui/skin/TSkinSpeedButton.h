#pragma once
// A skin's windowless button on a skin window; it keeps itself the window's only hovered speed
// button.
#include "player/ui/skin/buttons/THoverButton.h"

#include <memory>

class TSkinForm;

class TSkinSpeedButton {
public:
    explicit TSkinSpeedButton(TSkinForm& form);
    ~TSkinSpeedButton();
    TSkinSpeedButton(const TSkinSpeedButton&) = delete;
    TSkinSpeedButton& operator=(const TSkinSpeedButton&) = delete;

    THoverButton& Button() { return *button_; }
    TSkinForm& Form() { return form_; }
    // The pointer came over the button: any other hovered speed button of the window lets go.
    void MouseEnter();

private:
    TSkinForm& form_;
    std::unique_ptr<THoverButton> button_;
};
