#pragma once
// The ordinary push button of the dialogs: a texture button whose two strips are shared by every
// static button of the program, so setting them on one dresses them all. The strips exist while a
// static button does.
#include "player/ui/skin/buttons/TTexHoverButton.h"

class TStaticHoverButton : public TTexHoverButton {
    Q_OBJECT
public:
    explicit TStaticHoverButton(QWidget* parent = nullptr);
    ~TStaticHoverButton() override;

    // Living static buttons.
    static int LiveCount();

protected:
    TButtonGlyph& LeftEngine() override;
    TButtonGlyph& RightEngine() override;
};
