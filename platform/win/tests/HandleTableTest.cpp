#include "platform/win/HandleTable.h"
#include "platform/win/Message.h"
#include "platform/win/Timer.h"
#include "platform/win/Window.h"
#include "platform/win/tests/TestWindow.h"

#include <gtest/gtest.h>

namespace plat::win {
namespace {

using testing::TestWindow;

TEST(HandleTable, HandsOutEvenIdsWithoutReusingFreedOnes) {
    HandleTable table;
    const HWND a = table.Add({});
    const HWND b = table.Add({});
    EXPECT_EQ(a, HandleTable::kFirstId);
    EXPECT_EQ(b, a + 2);
    ASSERT_TRUE(table.Remove(a));
    EXPECT_FALSE(table.Contains(a));
    EXPECT_EQ(table.Add({}), b + 2);
    EXPECT_FALSE(table.Remove(a));
}

TEST(HandleTable, WrapsAroundSkippingIdsInUseAndRefusesWhenFull) {
    HandleTable table(0x10000, 0x10006); // four ids
    for (HWND expected = 0x10000; expected <= 0x10006; expected += 2) {
        EXPECT_EQ(table.Add({}), expected);
    }
    EXPECT_EQ(table.Add({}), 0u);
    table.Remove(0x10004);
    EXPECT_EQ(table.Add({}), 0x10004u);
    table.Remove(0x10002);
    table.Remove(0x10006);
    EXPECT_EQ(table.Add({}), 0x10006u);
    EXPECT_EQ(table.Add({}), 0x10002u);
}

TEST(HandleTable, ReparentRefusesCyclesAndUnknownWindows) {
    HandleTable table;
    const HWND root = table.Add({});
    const HWND child = table.Add({.parent = root});
    const HWND grandchild = table.Add({.parent = child});
    EXPECT_EQ(table.Reparent(root, grandchild), std::nullopt);
    EXPECT_EQ(table.Reparent(child, child), std::nullopt);
    EXPECT_EQ(table.Reparent(child, 0x7FFFFFF0), std::nullopt);
    EXPECT_EQ(table.Reparent(grandchild, root), child);
    EXPECT_EQ(table.ChildrenOf(root), (std::vector<HWND>{child, grandchild}));
}

TEST(HandleTable, StaleAndSpecialHandlesAreNoWindows) {
    HWND stale = 0;
    {
        TestWindow window;
        stale = window.hwnd();
        ASSERT_TRUE(IsWindow(stale));
    }
    TestWindow later;
    EXPECT_NE(later.hwnd(), stale);
    EXPECT_EQ(later.hwnd() % 2, 0u);

    for (const HWND hwnd : {HWND{0}, HWND_BOTTOM, HWND_TOPMOST, HWND_NOTOPMOST, stale, later.hwnd() + 1}) {
        SCOPED_TRACE(hwnd);
        EXPECT_FALSE(IsWindow(hwnd));
        EXPECT_FALSE(PostMessage(hwnd, WM_USER, 0, 0));
        EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), 0);
        EXPECT_FALSE(DestroyWindow(hwnd));
        EXPECT_FALSE(SetWindowPos(hwnd, HWND_TOP, 1, 2, 3, 4, 0));
        EXPECT_FALSE(ShowWindow(hwnd, SW_SHOW));
        EXPECT_FALSE(IsWindowVisible(hwnd));
        EXPECT_FALSE(SetWindowText(hwnd, "x"));
        char buffer[8] = "junk";
        EXPECT_EQ(GetWindowText(hwnd, buffer, sizeof buffer), 0);
        EXPECT_STREQ(buffer, "");
        EXPECT_EQ(GetClassName(hwnd, buffer, sizeof buffer), 0);
        RECT rect{};
        POINT point{};
        EXPECT_FALSE(GetWindowRect(hwnd, &rect));
        EXPECT_FALSE(GetClientRect(hwnd, &rect));
        EXPECT_FALSE(ClientToScreen(hwnd, &point));
        EXPECT_EQ(SetParent(hwnd, 0), 0u);
        EXPECT_EQ(SetParent(later.hwnd(), hwnd == 0 ? stale : hwnd), 0u);
        EXPECT_EQ(SetWindowLongPtr(hwnd, GWLP_USERDATA, 5), 0);
        EXPECT_EQ(GetWindowLongPtr(hwnd, GWLP_USERDATA), 0);
        EXPECT_EQ(SetTimer(hwnd, 1, 10), 0u);
        EXPECT_FALSE(KillTimer(hwnd, 1));
        EXPECT_EQ(SetCapture(hwnd), 0u);
        EXPECT_FALSE(TrackMouseEvent({TME_LEAVE, hwnd, 0}));
        EXPECT_EQ(GetWindowThread(hwnd), std::thread::id{});
    }
}

} // namespace
} // namespace plat::win
