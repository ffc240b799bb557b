#pragma once
// The hover button with a window of its own: it takes the keyboard focus, clicks on Space, Enter (as
// the default button or when focused), Escape (as the cancel button) and its caption's accelerator,
// reports a pointer resting on it for HoverTime, and can be shaped by a region.
#include "player/ui/skin/buttons/DelayTimer.h"
#include "player/ui/skin/buttons/THoverButton.h"

#include <QRegion>

#include <memory>
#include <optional>

class TWinHoverButton : public THoverButton {
    Q_OBJECT
public:
    explicit TWinHoverButton(QWidget* parent = nullptr);
    ~TWinHoverButton() override;

    void SetHoverTime(unsigned int ms);
    unsigned int GetHoverTime() const { return hoverTime_; }
    void SetFocusColor(skincolour::Value colour);
    skincolour::Value FocusColor() const { return focusColor_; }
    void SetDefault(bool isDefault) { default_ = isDefault; }
    bool Default() const { return default_; }
    void SetCancel(bool isCancel) { cancel_ = isCancel; }
    bool Cancel() const { return cancel_; }
    void SetTabStop(bool tabStop);

    // Shapes the window (a copy is kept for hit tests); nothing gives the rectangle back.
    void SetRegion(const std::optional<QRegion>& region);
    const std::optional<QRegion>& Region() const { return region_; }
    bool PtInButton(QPoint point) const override;

    // Enter or Escape offered by the dialog; true when the button clicked.
    bool CMDialogKey(int key, Qt::KeyboardModifiers modifiers);
    // A character offered by the dialog; true when it is the caption's accelerator and the button
    // clicked.
    bool CMDialogChar(QChar character);
    bool CanFocus() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void leaveEvent(QEvent* event) override;
    skincolour::Value CaptionColour() const override;
    void PointerMoved() override;
    void ReleaseFinished(bool inside, QPoint position) override;

private:
    unsigned int hoverTime_ = 400;
    skincolour::Value focusColor_ = skincolour::kNone;
    bool default_ = false;
    bool cancel_ = false;
    std::optional<QRegion> region_;
    std::unique_ptr<DelayTimer> hoverTimer_;
};
