#include "player/ui/skin/buttons/TWinHoverButton.h"

#include "player/ui/skin/buttons/HoverButtonDialogKeys.h"

#include <QKeyEvent>

TWinHoverButton::TWinHoverButton(QWidget* parent) : THoverButton(parent) {
    setFocusPolicy(Qt::ClickFocus);
    hoverTimer_ = DelayTimer::Create([this] {
        if (OnMouseHover) {
            OnMouseHover(this);
        }
    });
    HoverButtonDialogKeys::Install();
}

TWinHoverButton::~TWinHoverButton() = default;

void TWinHoverButton::SetHoverTime(unsigned int ms) {
    hoverTime_ = ms;
    update();
}

void TWinHoverButton::SetFocusColor(skincolour::Value colour) {
    focusColor_ = colour;
    update();
}

void TWinHoverButton::SetTabStop(bool tabStop) {
    setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

void TWinHoverButton::SetRegion(const std::optional<QRegion>& region) {
    region_ = region;
    if (region) {
        setMask(*region);
    } else {
        clearMask();
    }
}

bool TWinHoverButton::PtInButton(QPoint point) const {
    return region_ ? region_->contains(point) : THoverButton::PtInButton(point);
}

bool TWinHoverButton::CanFocus() const {
    return isVisible() && isEnabled() && focusPolicy() != Qt::NoFocus;
}

bool TWinHoverButton::CMDialogKey(int key, Qt::KeyboardModifiers modifiers) {
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool wanted = (enter && (default_ || hasFocus())) || (key == Qt::Key_Escape && cancel_);
    const auto held = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (!wanted || held != Qt::NoModifier || !CanFocus()) {
        return false;
    }
    Click();
    return true;
}

bool TWinHoverButton::CMDialogChar(QChar character) {
    const QString& caption = Caption();
    for (qsizetype at = caption.indexOf(u'&'); at >= 0 && at + 1 < caption.size();
         at = caption.indexOf(u'&', at + 2)) {
        if (caption[at + 1] == u'&') {
            continue;
        }
        if (caption[at + 1].toUpper() == character.toUpper() && CanFocus()) {
            Click();
            return true;
        }
        return false;
    }
    return false;
}

void TWinHoverButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && isEnabled() && !event->isAutoRepeat()) {
        StartPress();
        return;
    }
    THoverButton::keyPressEvent(event);
}

void TWinHoverButton::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat() || !dragging_) {
        THoverButton::keyReleaseEvent(event);
        return;
    }
    dragging_ = false;
    const bool space = event->key() == Qt::Key_Space;
    FinishPress(space);
    setFocus(Qt::OtherFocusReason);
    if (space) {
        Click();
    }
}

void TWinHoverButton::focusInEvent(QFocusEvent* event) {
    THoverButton::focusInEvent(event);
    update();
}

void TWinHoverButton::focusOutEvent(QFocusEvent* event) {
    THoverButton::focusOutEvent(event);
    update();
}

void TWinHoverButton::leaveEvent(QEvent* event) {
    hoverTimer_->Stop();
    THoverButton::leaveEvent(event);
}

skincolour::Value TWinHoverButton::CaptionColour() const {
    return hasFocus() ? focusColor_ : skincolour::kNone;
}

void TWinHoverButton::PointerMoved() {
    hoverTimer_->Start(static_cast<int>(std::min(hoverTime_, 0x7FFFFFFFu)));
}

void TWinHoverButton::ReleaseFinished(bool inside, QPoint) {
    setFocus(Qt::MouseFocusReason);
    if (inside) {
        Click();
    }
}
