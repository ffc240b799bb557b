#pragma once
// The message box of a program without a user interface: "<caption> <text>" as one line on standard
// error, which nothing needs to dismiss.
#include "player/model/errors/ISystemMessageBox.h"

class TStderrMessageBox : public ISystemMessageBox {
public:
    void Show(const char16_t* text, const char16_t* caption, uint32_t style) override;
};
