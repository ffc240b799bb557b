// Display modes on a real X server (Xvfb started for the test) through XRandR, and the current-mode-only
// stand-in used where the system offers no switching.
#include "platform/display/CurrentModeOnly.h"
#include "platform/display/XrandrDisplayModes.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace {

using plat::display::CurrentModeOnly;
using plat::display::DisplayMode;
using plat::display::XrandrDisplayModes;

// An X server of its own for one test: Xvfb writes its display number to a pipe once it accepts clients.
class XvfbServer {
public:
    explicit XvfbServer(const std::string& screen) {
        int fds[2];
        if (::pipe(fds) != 0) {
            return;
        }
        const std::string fd = std::to_string(fds[1]);
        std::vector<std::string> args{"Xvfb", "-displayfd", fd, "-screen", "0", screen, "-nolisten", "tcp"};
        std::vector<char*> argv;
        for (std::string& a : args) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const int spawned = posix_spawnp(&pid_, "Xvfb", &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        if (spawned != 0) {
            pid_ = 0;
            ::close(fds[0]);
            return;
        }
        std::string number;
        char c;
        while (::read(fds[0], &c, 1) == 1 && c != '\n') {
            number += c;
        }
        ::close(fds[0]);
        if (!number.empty()) {
            display_ = ":" + number;
        }
    }
    ~XvfbServer() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // Empty when the server could not be started.
    const std::string& Display() const { return display_; }

private:
    pid_t pid_ = 0;
    std::string display_;
};

TEST(XrandrDisplayModes, ListsTheScreensModesAndKeepsTheStartMode) {
    XvfbServer server("1024x768x24");
    if (server.Display().empty()) {
        GTEST_SKIP() << "Xvfb could not be started (is the xvfb package installed?)";
    }
    const auto modes = XrandrDisplayModes::Open(server.Display());
    ASSERT_NE(modes, nullptr);
    const std::optional<DisplayMode> current = modes->CurrentMode();
    ASSERT_TRUE(current.has_value());
    EXPECT_EQ(current->width, 1024);
    EXPECT_EQ(current->height, 768);
    EXPECT_EQ(current->bitsPerPixel, 32) << "24-bit colour is stored in 32 bits per pixel";
    EXPECT_EQ(modes->StartMode(), current);

    bool listed = false;
    for (std::int32_t i = 0; const auto mode = modes->ModeAt(i); ++i) {
        listed = listed || *mode == *current;
    }
    EXPECT_TRUE(listed) << "the current mode is one of the list";
    EXPECT_FALSE(modes->ModeAt(-1).has_value());

    EXPECT_TRUE(modes->Test(*current));
    DisplayMode otherDepth = *current;
    otherDepth.bitsPerPixel = 16;
    EXPECT_FALSE(modes->Test(otherDepth)) << "X cannot change the depth";
    EXPECT_FALSE(modes->Apply(otherDepth));
    EXPECT_TRUE(modes->Apply(*current));
    EXPECT_EQ(modes->CurrentMode(), current);
}

TEST(XrandrDisplayModes, ADisplayThatDoesNotOpenGivesNone) {
    EXPECT_EQ(XrandrDisplayModes::Open(":99999"), nullptr);
}

TEST(CurrentModeOnly, OnlyTheCurrentModeIsListedAndPassesTheTest) {
    const DisplayMode mode{1280, 1024, 32, 60};
    CurrentModeOnly modes(mode);
    EXPECT_EQ(modes.StartMode(), mode);
    EXPECT_EQ(modes.CurrentMode(), mode);
    EXPECT_EQ(modes.ModeAt(0), mode);
    EXPECT_FALSE(modes.ModeAt(1).has_value());
    EXPECT_TRUE(modes.Test(mode));
    EXPECT_TRUE(modes.Apply(mode));
    EXPECT_FALSE(modes.Test({800, 600, 32, 60}));
    EXPECT_FALSE(modes.Apply({800, 600, 32, 60}));

    CurrentModeOnly none(std::nullopt);
    EXPECT_FALSE(none.ModeAt(0).has_value());
    EXPECT_FALSE(none.Test(mode));
}

TEST(CurrentModeOnly, WithoutAGuiApplicationThereIsNoScreen) {
    EXPECT_FALSE(CurrentModeOnly::PrimaryScreenMode().has_value())
        << "the test program runs no QGuiApplication";
}

} // namespace
