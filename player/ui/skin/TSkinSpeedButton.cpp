#include "player/ui/skin/TSkinSpeedButton.h"

#include "player/ui/skin/TSkinForm.h"

TSkinSpeedButton::TSkinSpeedButton(TSkinForm& form)
    : form_(form), button_(std::make_unique<THoverButton>(&form)) {
    button_->setCursor(Qt::PointingHandCursor);
    button_->SetEnabled(true);
    button_->OnMouseEnter = [this](THoverButton*) { MouseEnter(); };
}

TSkinSpeedButton::~TSkinSpeedButton() {
    if (form_.HoveredSpeedButton() == this) {
        form_.SetHoveredSpeedButton(nullptr);
    }
}

void TSkinSpeedButton::MouseEnter() {
    TSkinSpeedButton* other = form_.HoveredSpeedButton();
    if (other != nullptr && other != this) {
        other->Button().SetMouseInControl(false);
        other->Button().update();
    }
    form_.SetHoveredSpeedButton(this);
}
