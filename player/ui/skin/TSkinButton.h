#pragma once
// A skin's windowed button on a skin window, optionally shaped by a mask bitmap.
#include "player/ui/skin/buttons/TWinHoverButton.h"

#include <memory>

class TSkinForm;

class TSkinButton {
public:
    explicit TSkinButton(TSkinForm& form);
    ~TSkinButton();
    TSkinButton(const TSkinButton&) = delete;
    TSkinButton& operator=(const TSkinButton&) = delete;

    TWinHoverButton& Button() { return *button_; }

private:
    std::unique_ptr<TWinHoverButton> button_;
};
