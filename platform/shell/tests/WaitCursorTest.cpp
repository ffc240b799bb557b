#include "platform/shell/WaitCursor.h"

#include <QCursor>
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

using plat::shell::PopWaitCursor;
using plat::shell::PushWaitCursor;

std::optional<Qt::CursorShape> Showing() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor ? std::optional<Qt::CursorShape>(cursor->shape()) : std::nullopt;
}

TEST(WaitCursor, OnePopAfterTwoPushesPutsBackTheFirstCursor) {
    ASSERT_FALSE(Showing());
    PushWaitCursor();
    EXPECT_EQ(Showing(), Qt::WaitCursor);
    PushWaitCursor();
    EXPECT_EQ(Showing(), Qt::WaitCursor);
    PopWaitCursor();
    EXPECT_FALSE(Showing());
    PopWaitCursor(); // nothing remembered: the default cursor stays
    EXPECT_FALSE(Showing());
}

TEST(WaitCursor, TheCursorShowingBeforeIsRestored) {
    QGuiApplication::setOverrideCursor(QCursor(Qt::PointingHandCursor));
    PushWaitCursor();
    PushWaitCursor();
    EXPECT_EQ(Showing(), Qt::WaitCursor);
    PopWaitCursor();
    EXPECT_EQ(Showing(), Qt::PointingHandCursor);
    QGuiApplication::restoreOverrideCursor();
    EXPECT_FALSE(Showing());
}

TEST(WaitCursor, APushAfterTheHourglassWasReplacedRemembersTheNewCursor) {
    PushWaitCursor();
    QGuiApplication::changeOverrideCursor(QCursor(Qt::CrossCursor)); // someone shows another cursor
    PushWaitCursor();
    EXPECT_EQ(Showing(), Qt::WaitCursor);
    PopWaitCursor();
    EXPECT_EQ(Showing(), Qt::CrossCursor);
    PopWaitCursor(); // takes our level back
    EXPECT_FALSE(Showing());
}

} // namespace
