#pragma once
// The video window's own thin title bar ("Pn_Caption" with its label "Lb_Caption"): the window has no
// system caption, so dragging with the left button on this bar moves the window.
#include <QPoint>
#include <QWidget>

class QLabel;

class TVideoCaption : public QWidget {
public:
    static constexpr int kHeight = 18;

    explicit TVideoCaption(QWidget* window);

    QLabel* Label() const { return label_; }

    // Presses, moves and releases on the bar and on its label.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    QLabel* label_;
    bool dragging_ = false;
    QPoint grabOffset_; // the mouse's place in the window when the drag started
};
