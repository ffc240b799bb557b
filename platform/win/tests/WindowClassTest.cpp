#include "platform/win/Window.h"
#include "platform/win/tests/ScopedClass.h"

#include <gtest/gtest.h>

namespace plat::win {
namespace {

using testing::ScopedClass;

LRESULT Plain(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

TEST(WindowClass, RegistrationRules) {
    struct Case {
        const char* name;
        WNDPROC proc;
        bool registers;
    };
    const Case cases[] = {
        {"ClassRules", &Plain, true},  {"CLASSRULES", &Plain, false}, // taken, whatever the case
        {"", &Plain, false},           {"ClassWithoutProc", nullptr, false},
        {"ClassRulesÄ", &Plain, true}, {"classrulesä", &Plain, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RegisterClass({.style = CS_DBLCLKS, .lpfnWndProc = c.proc, .lpszClassName = c.name}),
                  c.registers);
    }
    WNDCLASS found;
    ASSERT_TRUE(GetClassInfo("classRULES", &found));
    EXPECT_EQ(found.lpszClassName, "ClassRules");
    EXPECT_EQ(found.lpfnWndProc, &Plain);
    EXPECT_EQ(found.style, CS_DBLCLKS);
    EXPECT_FALSE(GetClassInfo("NoSuchClass", &found));
    EXPECT_TRUE(GetClassInfo("ClassRules", nullptr));
    EXPECT_TRUE(UnregisterClass("ClassRules"));
    EXPECT_TRUE(UnregisterClass("CLASSRULESä"));
}

TEST(WindowClass, UnregisterWaitsForTheLastWindow) {
    ASSERT_TRUE(RegisterClass({.lpfnWndProc = &Plain, .lpszClassName = "ClassInUse"}));
    const HWND hwnd = CreateWindowEx(0, "classinuse", "", 0, 0, 0, 0, 0, 0, nullptr);
    ASSERT_NE(hwnd, 0u);

    char name[32];
    EXPECT_EQ(GetClassName(hwnd, name, sizeof name), 10);
    EXPECT_STREQ(name, "ClassInUse");
    EXPECT_EQ(GetClassName(hwnd, name, 6), 5);
    EXPECT_STREQ(name, "Class");

    EXPECT_FALSE(UnregisterClass("CLASSINUSE"));
    DestroyWindow(hwnd);
    EXPECT_TRUE(UnregisterClass("CLASSINUSE"));
    EXPECT_FALSE(UnregisterClass("ClassInUse"));
    EXPECT_EQ(CreateWindowEx(0, "ClassInUse", "", 0, 0, 0, 0, 0, 0, nullptr), 0u);
}

TEST(WindowClass, CreateNeedsAKnownClassAndParent) {
    ScopedClass windowClass("ClassCreate", &Plain);
    EXPECT_EQ(CreateWindowEx(0, "NoSuchClass", "", 0, 0, 0, 0, 0, 0, nullptr), 0u);
    EXPECT_EQ(CreateWindowEx(0, "ClassCreate", "", 0, 0, 0, 0, 0, 0x7FFFFFF0, nullptr), 0u);
}

} // namespace
} // namespace plat::win
