#pragma once
// A label that acts as a toggle link: green and underlined under the mouse, blue otherwise; a click
// turns its state on (grey background) or off (light background) and reports the new state.
#include <QLabel>

#include <functional>

class TLinkLabel : public QLabel {
public:
    TLinkLabel(const char* name, const QString& caption, QWidget* parent = nullptr);

    void OnToggle(std::function<void(bool)> handler) { onToggle_ = std::move(handler); }
    bool IsOn() const { return on_; }
    // What a click does.
    void Toggle();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void SetLook(const QColor& text, bool underline);
    void SetBackground(const QColor& colour);

    bool on_ = false;
    std::function<void(bool)> onToggle_;
};
