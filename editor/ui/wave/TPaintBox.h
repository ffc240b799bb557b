#pragma once
// A plain drawing area whose painting and mouse handling belong to the form that holds it.
#include <QWidget>

#include <functional>

class TPaintBox : public QWidget {
public:
    using PaintHandler = std::function<void(QPainter&)>;
    using MouseHandler = std::function<void(QMouseEvent&)>;

    explicit TPaintBox(const char* name, QWidget* parent = nullptr);

    void OnPaint(PaintHandler handler) { paint_ = std::move(handler); }
    void OnMouseDown(MouseHandler handler) { mouseDown_ = std::move(handler); }
    void OnMouseMove(MouseHandler handler) { mouseMove_ = std::move(handler); }
    void OnMouseUp(MouseHandler handler) { mouseUp_ = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    static void Call(const MouseHandler& handler, QMouseEvent* event);

    PaintHandler paint_;
    MouseHandler mouseDown_;
    MouseHandler mouseMove_;
    MouseHandler mouseUp_;
};
