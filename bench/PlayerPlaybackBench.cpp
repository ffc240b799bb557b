// The player playing a clip against gst-play-1.0 on the same clip, both on the X server of $DISPLAY
// (run it under xvfb-run) with their audio going to a fake sink:
// - from the start of "tovrin <clip>" (a program folder as the build makes it) to its pipeline playing,
//   that is after the first frame went to the screen, against the same for "gst-play-1.0 <clip>"
//   (its playbin playing); both programs are started in turn within each iteration, so that load on
//   the machine falls on both alike. The moment is read from GStreamer's state log of each program.
// - CPU time and resident memory of each program while it plays a 1080p clip for 10 s.
// Counters give each program's figure and the ratio of the player's to gst-play's.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

extern char** environ;

namespace {

constexpr auto kMarkerWait = std::chrono::seconds(30);
constexpr auto kPlayingTime = std::chrono::seconds(10);

// A program folder made from the one the build wrote, the runtime folder, and the clips.
struct Setup {
    fs::path root = fs::temp_directory_path() / ("tovrin-playback-bench-" + std::to_string(getpid()));
    fs::path clip = root / "clip.mp4";
    fs::path clip1080 = root / "clip1080.mp4";
    bool ready = false;

    Setup() {
        fs::create_directories(root / "prog");
        fs::create_directories(root / "run");
        fs::permissions(root / "run", fs::perms::owner_all, fs::perm_options::replace);
        std::error_code error;
        fs::create_directory_symlink(fs::path(TOVRIN_DIST) / "System", root / "prog" / "System", error);
        for (const char* folder : {"INI", "DVD", "Media", "Skins"}) {
            fs::copy(fs::path(TOVRIN_DIST) / folder, root / "prog" / folder, fs::copy_options::recursive,
                     error);
        }
        ready = Encode("testsrc2=size=640x360:rate=25:duration=10", clip) &&
                Encode("testsrc2=size=1920x1080:rate=30:duration=14", clip1080);
    }
    ~Setup() {
        std::error_code error;
        fs::remove_all(root, error);
    }

    static bool Encode(const std::string& source, const fs::path& out) {
        const std::string command = "ffmpeg -nostdin -loglevel error -y -f lavfi -i " + source +
                                    " -f lavfi -i sine=frequency=440:duration=14 -shortest -c:v libx264 "
                                    "-pix_fmt yuv420p -preset veryfast -g 30 -c:a aac '" +
                                    out.string() + "'";
        return std::system(command.c_str()) == 0;
    }
};

const Setup& TheSetup() {
    static const Setup setup;
    return setup;
}

struct Peer {
    std::vector<std::string> argv;
    std::map<std::string, std::string> environment;
    std::regex playing; // the state-log line of the top-level pipeline playing
};

Peer Player(const fs::path& clip) {
    const Setup& setup = TheSetup();
    return {{std::string(TOVRIN_DIST) + "/tovrin", clip.string()},
            {{"TOVRIN_PROGRAM_FOLDER", (setup.root / "prog").string()},
             {"TOVRIN_RUNTIME_DIR", (setup.root / "run").string()},
             {"TOVRIN_AUDIO_SINK", "fake"},
             {"QT_QPA_PLATFORM", "xcb"}},
            std::regex(":<pipeline[0-9]+> completed state change to PLAYING")};
}

Peer GstPlay(const fs::path& clip) {
    return {{"gst-play-1.0", "--no-interactive", "--audiosink=fakeaudiosink", "--videosink=ximagesink",
             clip.string()},
            {},
            std::regex(":<playbin> completed state change to PLAYING")};
}

// A started program with its standard error read as lines.
class Running {
public:
    explicit Running(const Peer& peer) {
        int pipeFds[2];
        if (pipe2(pipeFds, O_CLOEXEC) != 0) {
            return;
        }
        std::map<std::string, std::string> variables;
        for (char** entry = environ; *entry != nullptr; ++entry) {
            const std::string text(*entry);
            const std::size_t equals = text.find('=');
            variables[text.substr(0, equals)] = equals == std::string::npos ? "" : text.substr(equals + 1);
        }
        for (const auto& [name, value] : peer.environment) {
            variables[name] = value;
        }
        variables["GST_DEBUG"] = "GST_STATES:4";
        variables["GST_DEBUG_NO_COLOR"] = "1";
        std::vector<std::string> environment;
        for (const auto& [name, value] : variables) {
            environment.push_back(name + "=" + value);
        }
        std::vector<char*> args, env;
        for (const auto& a : peer.argv) {
            args.push_back(const_cast<char*>(a.c_str()));
        }
        args.push_back(nullptr);
        for (auto& variable : environment) {
            env.push_back(variable.data());
        }
        env.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
        posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), env.data());
        posix_spawn_file_actions_destroy(&actions);
        close(pipeFds[1]);
        fd_ = pipeFds[0];
    }
    ~Running() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (fd_ >= 0) {
            close(fd_);
        }
    }

    // Reads the program's log until a line matches; false when it ends or the wait runs out first.
    bool AwaitLine(const std::regex& line) {
        const auto deadline = Clock::now() + kMarkerWait;
        std::string buffer;
        while (Clock::now() < deadline) {
            pollfd fd{fd_, POLLIN, 0};
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (poll(&fd, 1, static_cast<int>(left.count())) <= 0) {
                return false;
            }
            char chunk[65536];
            const ssize_t size = read(fd_, chunk, sizeof chunk);
            if (size <= 0) {
                return false;
            }
            buffer.append(chunk, static_cast<std::size_t>(size));
            std::size_t end = 0;
            while ((end = buffer.find('\n')) != std::string::npos) {
                if (std::regex_search(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(end),
                                      line)) {
                    return true;
                }
                buffer.erase(0, end + 1);
            }
        }
        return false;
    }

    // Keeps reading the log away so that the program never blocks on a full pipe.
    void DrainFor(std::chrono::seconds time) {
        const auto deadline = Clock::now() + time;
        while (Clock::now() < deadline) {
            pollfd fd{fd_, POLLIN, 0};
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (poll(&fd, 1, static_cast<int>(left.count())) > 0) {
                char chunk[65536];
                if (read(fd_, chunk, sizeof chunk) <= 0) {
                    std::this_thread::sleep_until(deadline);
                }
            }
        }
    }

    // User and system CPU seconds so far.
    double CpuSeconds() const {
        std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), {});
        std::istringstream fields(text.substr(text.rfind(')') + 2));
        std::string field;
        double ticks = 0;
        for (int index = 3; fields >> field && index <= 15; ++index) {
            if (index == 14 || index == 15) {
                ticks += std::stod(field);
            }
        }
        return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
    }
    // Resident memory in MiB.
    double ResidentMiB() const {
        std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("VmRSS:", 0) == 0) {
                return std::stod(line.substr(6)) / 1024.0;
            }
        }
        return 0;
    }

private:
    pid_t pid_ = -1;
    int fd_ = -1;
};

bool CanRun(benchmark::State& state) {
    if (std::getenv("DISPLAY") == nullptr) {
        state.SkipWithError("no X server: run under xvfb-run -a");
        return false;
    }
    if (!TheSetup().ready) {
        state.SkipWithError("the clips could not be made with ffmpeg");
        return false;
    }
    return true;
}

// Seconds from the start to the marker; nothing when it never came.
std::optional<double> ToFirstFrame(const Peer& peer) {
    const auto start = Clock::now();
    Running program(peer);
    if (!program.AwaitLine(peer.playing)) {
        return std::nullopt;
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void BM_FirstFrameAgainstGstPlay(benchmark::State& state) {
    if (!CanRun(state)) {
        return;
    }
    double ours = 0;
    double peer = 0;
    for (auto _ : state) {
        const auto player = ToFirstFrame(Player(TheSetup().clip));
        const auto gstPlay = ToFirstFrame(GstPlay(TheSetup().clip));
        if (!player || !gstPlay) {
            state.SkipWithError(!player ? "the player did not play" : "gst-play-1.0 did not play");
            return;
        }
        ours += *player;
        peer += *gstPlay;
        state.SetIterationTime(*player + *gstPlay);
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["tovrin_ms"] = 1000 * ours / runs;
    state.counters["gst_play_ms"] = 1000 * peer / runs;
    state.counters["ratio"] = ours / peer;
}

struct Usage {
    double cpuPercent = 0;
    double residentMiB = 0;
};

std::optional<Usage> WhilePlaying(const Peer& peer) {
    Running program(peer);
    if (!program.AwaitLine(peer.playing)) {
        return std::nullopt;
    }
    const double cpuBefore = program.CpuSeconds();
    const auto start = Clock::now();
    program.DrainFor(kPlayingTime);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return Usage{100 * (program.CpuSeconds() - cpuBefore) / seconds, program.ResidentMiB()};
}

void BM_Playing1080pAgainstGstPlay(benchmark::State& state) {
    if (!CanRun(state)) {
        return;
    }
    Usage ours, peer;
    for (auto _ : state) {
        const auto player = WhilePlaying(Player(TheSetup().clip1080));
        const auto gstPlay = WhilePlaying(GstPlay(TheSetup().clip1080));
        if (!player || !gstPlay) {
            state.SkipWithError(!player ? "the player did not play" : "gst-play-1.0 did not play");
            return;
        }
        ours = {ours.cpuPercent + player->cpuPercent, ours.residentMiB + player->residentMiB};
        peer = {peer.cpuPercent + gstPlay->cpuPercent, peer.residentMiB + gstPlay->residentMiB};
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["tovrin_cpu_%"] = ours.cpuPercent / runs;
    state.counters["gst_play_cpu_%"] = peer.cpuPercent / runs;
    state.counters["cpu_ratio"] = ours.cpuPercent / peer.cpuPercent;
    state.counters["tovrin_rss_MiB"] = ours.residentMiB / runs;
    state.counters["gst_play_rss_MiB"] = peer.residentMiB / runs;
    state.counters["rss_ratio"] = ours.residentMiB / peer.residentMiB;
}

} // namespace

BENCHMARK(BM_FirstFrameAgainstGstPlay)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);
BENCHMARK(BM_Playing1080pAgainstGstPlay)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(2);

BENCHMARK_MAIN();
