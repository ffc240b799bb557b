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
#include <fstream>
#include <functional>
#include <map>
#include <memory>
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

// The player on an X server of its own, with or without the default skin in its skins folder.
class ScreenshotTest : public ::testing::Test {
protected:
    void SetUp() override {
        dist_ = std::getenv("TOVRIN_DIST_DIR") != nullptr ? std::getenv("TOVRIN_DIST_DIR") : "";
        if (dist_.empty() || !fs::exists(fs::path(dist_) / "tovrin")) {
            GTEST_SKIP() << "the player program is not built";
        }
        if (!OnPath("Xvfb") || !OnPath("import") || !OnPath("convert")) {
            GTEST_SKIP() << "Xvfb and ImageMagick are needed (scripts/install-deps.sh installs them)";
        }
        static int counter = 0;
        root_ = fs::temp_directory_path() /
                ("tovrin-shot-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
        fs::create_directories(root_ / "prog");
        fs::create_directory_symlink(fs::path(dist_) / "System", root_ / "prog" / "System");
        fs::create_directories(root_ / "run");
        fs::permissions(root_ / "run", fs::perms::owner_all, fs::perm_options::replace);
        setenv("TOVRIN_RUNTIME_DIR", (root_ / "run").c_str(), 1);
    }

    void TearDown() override {
        if (root_.empty()) {
            return;
        }
        if (player_) {
            ChildProcess quit({dist_ + "/tovrin", "/cmd:quit"}, env_);
            EXPECT_EQ(quit.WaitExit(20s), 0);
            EXPECT_EQ(player_->WaitExit(20s), 0);
        }
        if (server_) {
            server_->Kill(SIGTERM);
            server_->WaitExit(20s);
        }
        unsetenv("TOVRIN_RUNTIME_DIR");
        std::error_code error;
        fs::remove_all(root_, error);
    }

    void StartPlayer(bool withSkin, const std::vector<std::string>& arguments = {}) {
        if (withSkin) {
            fs::create_directory_symlink(fs::path(dist_) / "Skins", root_ / "prog" / "Skins");
        }
        // Xvfb writes its display number to the descriptor once it accepts clients.
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        server_ = std::make_unique<ChildProcess>(
            std::vector<std::string>{"/usr/bin/Xvfb", "-displayfd", std::to_string(ready[1]), "-screen", "0",
                                     "800x600x24", "-wr", "-nolisten", "tcp"},
            std::map<std::string, std::string>{});
        close(ready[1]);
        char number[16] = {};
        ASSERT_GT(read(ready[0], number, sizeof number - 1), 0) << "Xvfb did not start";
        close(ready[0]);
        display_ = ":" + std::to_string(std::atoi(number));
        env_ = {{"DISPLAY", display_},
                {"QT_QPA_PLATFORM", ""},
                {"WAYLAND_DISPLAY", ""},
                {"TOVRIN_RUNTIME_DIR", (root_ / "run").string()},
                {"TOVRIN_PROGRAM_FOLDER", (root_ / "prog").string()},
                {"TOVRIN_AUDIO_SINK", "fake"}};
        std::vector<std::string> command{dist_ + "/tovrin"};
        command.insert(command.end(), arguments.begin(), arguments.end());
        player_ = std::make_unique<ChildProcess>(command, env_);
    }

    // The windows appear some time after the player starts; nothing tells when they are painted, so
    // screenshots are taken until `shown` answers true for one (at most 45 s: a loaded machine starts
    // the server and the player slowly).
    fs::path ShootUntil(const char* name, const std::function<bool(const fs::path&)>& shown) {
        const fs::path shot = fs::path(SCREENSHOT_FOLDER) / name;
        const auto deadline = std::chrono::steady_clock::now() + 45s;
        while (std::chrono::steady_clock::now() < deadline && !player_->WaitExit(0ms)) {
            Output("DISPLAY=" + display_ + " import -window root '" + shot.string() + "' 2>/dev/null");
            if (shown(shot)) {
                break;
            }
        }
        return shot;
    }

    static bool Black(const std::pair<double, double>& region) {
        return region.first == 0 && region.second == 0;
    }

    std::string dist_;
    fs::path root_;
    std::string display_;
    std::map<std::string, std::string> env_;
    std::unique_ptr<ChildProcess> server_;
    std::unique_ptr<ChildProcess> player_;
};

TEST_F(ScreenshotTest, ThePlayerShowsItsVideoWindow) {
    StartPlayer(false);
    // Without skins the player says so in its message box, in the middle of the screen: the video
    // panel shows below it.
    const char* panel = "200x40+300+430";
    const fs::path shot = ShootUntil("player_ui_screenshot.png", [&](const fs::path& taken) {
        return Black(RegionStatistics(taken, panel));
    });
    const auto below = RegionStatistics(shot, panel);
    EXPECT_EQ(below.first, 0) << "no black video panel in the middle: see " << shot;
    EXPECT_EQ(below.second, 0);
    const auto corner = RegionStatistics(shot, "50x50+0+0");
    EXPECT_EQ(corner.first, 1) << "the root window should show around the player";
}

// The default skin's control window stands below the video window, at its left edge: a dark panel with
// coloured buttons, neither the white root window nor the video window, which shows the skin's dark
// background picture with the player's name while no video plays.
TEST_F(ScreenshotTest, ThePlayerShowsItsSkinBelowTheVideoWindow) {
    StartPlayer(true);
    const char* background = "300x100+250+250";
    const auto dark = [](const std::pair<double, double>& region) {
        return region.first > 0 && region.first < 0.3 && region.second > 0.01;
    };
    const fs::path shot = ShootUntil("player_ui_skin_screenshot.png", [&](const fs::path& taken) {
        const auto skin = RegionStatistics(taken, "300x60+100+485");
        return dark(RegionStatistics(taken, background)) && skin.first > 0.05 && skin.first < 0.9;
    });
    EXPECT_TRUE(dark(RegionStatistics(shot, background))) << "the skin's video background: see " << shot;
    const auto skin = RegionStatistics(shot, "300x60+100+485");
    EXPECT_GT(skin.first, 0.05) << "the skin's control window below the video: see " << shot;
    EXPECT_LT(skin.first, 0.9);
    EXPECT_GT(skin.second, 0.02) << "its buttons and seek bar stand out of its background";
}

// Started in full screen, the player's full-screen window covers the whole screen: black where the white
// root window showed around the video window.
TEST_F(ScreenshotTest, FullScreenCoversTheWholeScreen) {
    StartPlayer(false, {"/SM:fullscreen"});
    const fs::path shot = ShootUntil("player_ui_fullscreen_screenshot.png", [](const fs::path& taken) {
        return Black(RegionStatistics(taken, "800x600+0+0"));
    });
    EXPECT_TRUE(Black(RegionStatistics(shot, "800x600+0+0")))
        << "the whole screen is the black video: see " << shot;
}

// A skin of the settings that does not exist is reported in the player's own message box, in front of
// the video window (which shows the default skin instead): red text on the box's light face.
TEST_F(ScreenshotTest, AnErrorShowsInThePlayersMessageBox) {
    fs::create_directories(root_ / "prog" / "INI");
    std::ofstream(root_ / "prog" / "INI" / "Tovrin.ini") << "[Skin]\r\nFilename=Missing.zip\r\n";
    StartPlayer(true);
    // The box (360 x 200) stands in the middle of the screen, over the video window.
    const char* box = "300x150+250+225";
    const auto redShare = [&](const fs::path& taken) {
        return std::atof(Output("convert '" + taken.string() + "' -crop " + box +
                                " -fx '(r>0.6&&g<0.3&&b<0.3)?1:0' -format '%[fx:mean]' info:")
                             .c_str());
    };
    const fs::path shot = ShootUntil("player_ui_message_box_screenshot.png",
                                     [&](const fs::path& taken) { return redShare(taken) > 0; });
    EXPECT_GT(redShare(shot), 0.0) << "the error is written in red: see " << shot;
    const auto face = RegionStatistics(shot, box);
    EXPECT_GT(face.first, 0.5) << "on the box's light face, over the dark video window: see " << shot;
}

} // namespace
