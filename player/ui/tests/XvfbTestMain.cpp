// GoogleTest entry point for tests that look at real windows: the program starts an X server of its
// own (Xvfb) and runs its QApplication on it. Without Xvfb (or while tests are only listed) it runs on
// the offscreen platform, and the tests skip themselves (XvfbDisplay() is then empty).
#include <QApplication>
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

extern char** environ;

namespace {

std::string display;

bool Listing(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--gtest_list_tests", 18) == 0) {
            return true;
        }
    }
    return false;
}

// Starts Xvfb with a 1024x768 screen; its display number arrives on the pipe once it accepts clients.
pid_t StartXvfb() {
    int ready[2];
    if (access("/usr/bin/Xvfb", X_OK) != 0 || pipe(ready) != 0) {
        return -1;
    }
    const std::string fd = std::to_string(ready[1]);
    const char* args[] = {"/usr/bin/Xvfb", "-displayfd", fd.c_str(), "-screen", "0",
                          "1024x768x24",   "-nolisten",  "tcp",      nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, args[0], nullptr, nullptr, const_cast<char**>(args), environ) != 0) {
        pid = -1;
    }
    close(ready[1]);
    char number[16] = {};
    if (pid > 0 && read(ready[0], number, sizeof number - 1) > 0) {
        display = ":" + std::to_string(std::atoi(number));
    }
    close(ready[0]);
    return pid;
}

} // namespace

const std::string& XvfbDisplay() {
    return display;
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const pid_t server = Listing(argc, argv) ? -1 : StartXvfb();
    if (!display.empty()) {
        setenv("DISPLAY", display.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    } else {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    int result = 0;
    {
        QApplication app(argc, argv);
        result = RUN_ALL_TESTS();
    }
    if (server > 0) {
        kill(server, SIGTERM);
        waitpid(server, nullptr, 0);
    }
    return result;
}
