#include "player/ui/skin/buttons/TStaticHoverButton.h"

#include <memory>
#include <vector>

namespace {

// The strips all static buttons draw from, and the buttons that repaint when they change.
struct SharedTextures {
    TButtonGlyph left;
    TButtonGlyph right;
    std::vector<TStaticHoverButton*> buttons;
};

std::unique_ptr<SharedTextures> gShared;

} // namespace

TStaticHoverButton::TStaticHoverButton(QWidget* parent) : TTexHoverButton(parent) {
    if (!gShared) {
        gShared = std::make_unique<SharedTextures>();
        auto repaintAll = [] {
            for (TStaticHoverButton* button : gShared->buttons) {
                button->update();
            }
        };
        gShared->left.SetOnChange(repaintAll);
        gShared->right.SetOnChange(repaintAll);
    }
    gShared->buttons.push_back(this);
}

TStaticHoverButton::~TStaticHoverButton() {
    if (!gShared) {
        return;
    }
    std::erase(gShared->buttons, this);
    if (gShared->buttons.empty()) {
        gShared.reset();
    }
}

int TStaticHoverButton::LiveCount() {
    return gShared ? static_cast<int>(gShared->buttons.size()) : 0;
}

TButtonGlyph& TStaticHoverButton::LeftEngine() {
    return gShared->left;
}

TButtonGlyph& TStaticHoverButton::RightEngine() {
    return gShared->right;
}
