// The player as a user starts it: on an X server of its own (Xvfb with a white root window), the
// player shows its video window; a screenshot of the screen shows the black video panel in the middle
// of the white screen. The screenshot is kept in the build folder to look at.
#include "platform/win/Peer.h"
#include "tests/ChildProcess.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

bool OnPath(const char* program) {
    const std::string command = std::string("command -v ") + program + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

std::string Output(const std::string& command) {
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
            text += buffer;
        }
        pclose(pipe);
    }
    return text;
}

// Mean and standard deviation (0..1) of a region of the picture.
std::pair<double, double> RegionStatistics(const fs::path& shot, const char* geometry) {
    std::istringstream values(
        Output("convert '" + shot.string() + "' -crop " + geometry +
               " -colorspace Gray -format '%[fx:mean] %[fx:standard_deviation]' info:"));
    double mean = -1;
    double deviation = -1;
    values >> mean >> deviation;
    return {mean, deviation};
}

TEST(ScreenshotTest, ThePlayerShowsItsVideoWindow) {
    const char* dist = std::getenv("TOVRIN_DIST_DIR");
    if (dist == nullptr || !fs::exists(fs::path(dist) / "tovrin")) {
        GTEST_SKIP() << "the player program is not built";
    }
    if (!OnPath("Xvfb") || !OnPath("import") || !OnPath("convert")) {
        GTEST_SKIP() << "Xvfb and ImageMagick are needed (scripts/install-deps.sh installs them)";
    }
    const fs::path root = fs::temp_directory_path() / ("tovrin-shot-" + std::to_string(getpid()));
    fs::create_directories(root / "prog");
    fs::create_directory_symlink(fs::path(dist) / "System", root / "prog" / "System");
    fs::create_directories(root / "run");
    fs::permissions(root / "run", fs::perms::owner_all, fs::perm_options::replace);
    setenv("TOVRIN_RUNTIME_DIR", (root / "run").c_str(), 1);

    // Xvfb writes its display number to the descriptor once it accepts clients.
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    ChildProcess server({"/usr/bin/Xvfb", "-displayfd", std::to_string(ready[1]), "-screen", "0",
                         "800x600x24", "-wr", "-nolisten", "tcp"},
                        {});
    close(ready[1]);
    char number[16] = {};
    ASSERT_GT(read(ready[0], number, sizeof number - 1), 0) << "Xvfb did not start";
    close(ready[0]);
    const std::string display = ":" + std::to_string(std::atoi(number));

    const std::map<std::string, std::string> env = {{"DISPLAY", display},
                                                    {"QT_QPA_PLATFORM", ""},
                                                    {"WAYLAND_DISPLAY", ""},
                                                    {"TOVRIN_RUNTIME_DIR", (root / "run").string()},
                                                    {"TOVRIN_PROGRAM_FOLDER", (root / "prog").string()},
                                                    {"TOVRIN_AUDIO_SINK", "fake"}};
    ChildProcess player({std::string(dist) + "/tovrin"}, env);

    // The window appears some time after the player starts; nothing tells when it is painted, so
    // screenshots are taken until the middle of the screen is the panel's black (at most 15 s).
    const fs::path shot = fs::path(SCREENSHOT_FOLDER) / "player_ui_screenshot.png";
    const auto deadline = std::chrono::steady_clock::now() + 15s;
    std::pair<double, double> middle{-1, -1};
    while (std::chrono::steady_clock::now() < deadline && !player.WaitExit(0ms)) {
        Output("DISPLAY=" + display + " import -window root '" + shot.string() + "' 2>/dev/null");
        middle = RegionStatistics(shot, "200x100+300+250");
        if (middle.first == 0 && middle.second == 0) {
            break;
        }
    }
    EXPECT_EQ(middle.first, 0) << "no black video panel in the middle: see " << shot;
    EXPECT_EQ(middle.second, 0);
    const auto corner = RegionStatistics(shot, "50x50+0+0");
    EXPECT_EQ(corner.first, 1) << "the root window should show around the player";

    ChildProcess quit({std::string(dist) + "/tovrin", "/cmd:quit"}, env);
    EXPECT_EQ(quit.WaitExit(20s), 0);
    EXPECT_EQ(player.WaitExit(20s), 0);
    server.Kill(SIGTERM);
    server.WaitExit(20s);
    unsetenv("TOVRIN_RUNTIME_DIR");
    fs::remove_all(root);
}

} // namespace
