// Windows without a system caption move by their caption strip: the window's corner follows the
// pointer at the offset it was grabbed with; only the left button drags.
#include "player/dialogs/TCaptionDrag.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace {

// Moves carry the buttons held, as the window system sends them.
void Send(QWidget* target, QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons held) {
    const QPointF local = target->mapFromGlobal(global);
    QMouseEvent event(type, local, local, global, button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

TEST(CaptionDragTest, TheWindowFollowsThePointerAtItsGrabOffset) {
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.setGeometry(100, 100, 300, 200);
    auto* strip = new QWidget(&window);
    strip->setGeometry(0, 0, 300, 18);
    auto* drag = new TCaptionDrag(&window);
    drag->Watch(strip);
    window.show();

    const QPoint start = window.frameGeometry().topLeft();
    Send(strip, QEvent::MouseButtonPress, start + QPoint(10, 5), Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(drag->Dragging());
    Send(strip, QEvent::MouseMove, {410, 305}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(window.frameGeometry().topLeft(), QPoint(400, 300));
    Send(strip, QEvent::MouseButtonRelease, {410, 305}, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(drag->Dragging());
    Send(strip, QEvent::MouseMove, {500, 500}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(window.frameGeometry().topLeft(), QPoint(400, 300)) << "no drag after the release";

    Send(strip, QEvent::MouseButtonPress, {410, 305}, Qt::RightButton, Qt::RightButton);
    EXPECT_FALSE(drag->Dragging());
    Send(strip, QEvent::MouseMove, {10, 10}, Qt::NoButton, Qt::RightButton);
    EXPECT_EQ(window.frameGeometry().topLeft(), QPoint(400, 300)) << "the right button does not drag";
}

} // namespace
