// The plug-in in a process without an application of widgets: no dialog, messages on stderr.
#include "plugins/remote/orvik/OrvikPlugin.h"
#include "plugins/remote/orvik/QtPluginMessages.h"
#include "plugins/remote/orvik/SystemSleepClock.h"

#include <gtest/gtest.h>

namespace orvik {
namespace {

TEST(OrvikNoApplicationTest, ThePropertiesDialogIsRefused) {
    SystemSleepClock clock;
    OrvikPlugin plugin({std::make_shared<QtPluginMessages>(), &clock, nullptr, [] { return std::string(); },
                        "/nonexistent"});
    EXPECT_EQ(0, plugin.ShowProperties());
}

TEST(OrvikNoApplicationTest, MessagesGoToTheErrorStream) {
    QtPluginMessages messages;
    ::testing::internal::CaptureStderr();
    messages.ShowMessage(PluginMessages::NoAnswer);
    EXPECT_EQ("IR-Man Plug-In Error: No Answer from IR-Man unit\n", ::testing::internal::GetCapturedStderr());
}

} // namespace
} // namespace orvik
