#pragma once
// The video window's own thin title bar ("Pn_Caption" with its label "Lb_Caption"): the window has no
// system caption, so dragging with the left button on this bar moves the window, and a double click
// on it switches between the window and full screen.
#include <QWidget>

#include <functional>

class QLabel;

class TVideoCaption : public QWidget {
public:
    static constexpr int kHeight = 18;

    explicit TVideoCaption(QWidget* window);

    QLabel* Label() const { return label_; }
    // What a double click on the bar runs.
    void SetOnDoubleClick(std::function<void()> run) { onDoubleClick_ = std::move(run); }

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QLabel* label_;
    std::function<void()> onDoubleClick_;
};
