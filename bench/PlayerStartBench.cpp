// The player's start: from the program's start to its first idle event loop (measured by a start with
// "/cmd:quit", which the loop runs first, and the end of the program), the same start with the default
// skin loaded and shown (its program folder holds the skins folder), and a second start's hand-over
// round trip to a running player; against a plain Qt Widgets program that shows a window and ends as
// its loop first runs, and against the start of "gst-play-1.0 --help". Wall-clock time per run, the
// repetitions of all of them interleaved so that the machine's load falls on each alike.
#include "PeerRatioReporter.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

extern char** environ;

namespace {

// Own program and runtime folders, so that a player already running elsewhere is not met.
struct Folders {
    fs::path root = fs::temp_directory_path() / ("tovrin-bench-" + std::to_string(getpid()));
    Folders() {
        fs::create_directories(root / "prog");
        fs::create_directories(root / "skinned");
        fs::create_directories(root / "run");
        fs::permissions(root / "run", fs::perms::owner_all, fs::perm_options::replace);
        std::error_code error;
        fs::create_directory_symlink(fs::path(TOVRIN_DIST) / "System", root / "prog" / "System", error);
        fs::create_directory_symlink(fs::path(TOVRIN_DIST) / "System", root / "skinned" / "System", error);
        fs::create_directory_symlink(fs::path(TOVRIN_DIST) / "Skins", root / "skinned" / "Skins", error);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("TOVRIN_RUNTIME_DIR", (root / "run").c_str(), 1);
        setenv("TOVRIN_PROGRAM_FOLDER", (root / "prog").c_str(), 1);
        setenv("TOVRIN_AUDIO_SINK", "fake", 1);
    }
    ~Folders() {
        std::error_code error;
        fs::remove_all(root, error);
    }
};

const Folders& Setup() {
    static const Folders folders;
    return folders;
}

pid_t Start(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const auto& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int Run(const std::vector<std::string>& argv) {
    const pid_t pid = Start(argv);
    int status = -1;
    waitpid(pid, &status, 0);
    return status;
}

void BM_PlayerStartToIdleLoop(benchmark::State& state) {
    Setup();
    for (auto _ : state) {
        if (Run({std::string(TOVRIN_DIST) + "/tovrin", "/cmd:quit"}) != 0) {
            state.SkipWithError("the player failed");
        }
    }
}

// The same start from a program folder with the default skin: the skin is read, its windows built and
// the main skin window shown before the loop runs.
void BM_PlayerStartWithDefaultSkin(benchmark::State& state) {
    const Folders& folders = Setup();
    setenv("TOVRIN_PROGRAM_FOLDER", (folders.root / "skinned").c_str(), 1);
    for (auto _ : state) {
        if (Run({std::string(TOVRIN_DIST) + "/tovrin", "/cmd:quit"}) != 0) {
            state.SkipWithError("the player failed");
        }
    }
    setenv("TOVRIN_PROGRAM_FOLDER", (folders.root / "prog").c_str(), 1);
}

void BM_QtWidgetsHello(benchmark::State& state) {
    Setup();
    for (auto _ : state) {
        Run({QT_HELLO});
    }
}

void BM_GstPlayHelp(benchmark::State& state) {
    for (auto _ : state) {
        if (Run({"gst-play-1.0", "--help"}) != 0) {
            state.SkipWithError("gst-play-1.0 is not installed (gstreamer1.0-plugins-base-apps)");
        }
    }
}

// The running player publishes its window description once its title is set.
bool AwaitPlayerWindow(const fs::path& runtime) {
    const int watch = inotify_init1(IN_CLOEXEC);
    inotify_add_watch(watch, runtime.c_str(), IN_MOVED_TO);
    bool found = false;
    for (int events = 0; !found && events < 100; ++events) {
        for (const auto& entry : fs::directory_iterator(runtime)) {
            found = found || entry.path().extension() == ".meta";
        }
        pollfd fd{watch, POLLIN, 0};
        if (!found && poll(&fd, 1, 10000) > 0) {
            char buffer[4096];
            [[maybe_unused]] const auto size = read(watch, buffer, sizeof buffer);
        }
    }
    close(watch);
    return found;
}

void BM_PlayerHandOverRoundTrip(benchmark::State& state) {
    const Folders& folders = Setup();
    const std::string player = std::string(TOVRIN_DIST) + "/tovrin";
    const pid_t first = Start({player});
    if (!AwaitPlayerWindow(folders.root / "run")) {
        state.SkipWithError("the player did not start");
    }
    for (auto _ : state) {
        Run({player, "/CMD:GETTIME"});
    }
    Run({player, "/cmd:quit"});
    int status = 0;
    waitpid(first, &status, 0);
}

} // namespace

BENCHMARK(BM_PlayerStartToIdleLoop)->Apply(PeerRatioReporter::Repeated)->UseRealTime();
BENCHMARK(BM_PlayerStartWithDefaultSkin)->Apply(PeerRatioReporter::Repeated)->UseRealTime();
BENCHMARK(BM_QtWidgetsHello)->Apply(PeerRatioReporter::Repeated)->UseRealTime();
BENCHMARK(BM_GstPlayHelp)->Apply(PeerRatioReporter::Repeated)->UseRealTime();
BENCHMARK(BM_PlayerHandOverRoundTrip)->Apply(PeerRatioReporter::Repeated)->UseRealTime();

int main(int argc, char** argv) {
    return PeerRatioReporter::Main(
        argc, argv,
        {{"BM_PlayerStartToIdleLoop", "BM_QtWidgetsHello", 2.0, true},
         {"BM_PlayerStartWithDefaultSkin", "BM_PlayerStartToIdleLoop", 1.5, true}});
}
