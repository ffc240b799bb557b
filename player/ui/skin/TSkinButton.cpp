#include "player/ui/skin/TSkinButton.h"

#include "player/ui/skin/TSkinForm.h"

TSkinButton::TSkinButton(TSkinForm& form) : button_(std::make_unique<TWinHoverButton>(&form)) {
    button_->setCursor(Qt::PointingHandCursor);
}

TSkinButton::~TSkinButton() {
    button_->SetRegion(std::nullopt);
}
