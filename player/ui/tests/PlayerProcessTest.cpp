// The player as separate processes: single instance, hand-over of a second start's command line,
// a first instance killed and replaced, and the editor's link (a fake editor process) with its
// answers to the close request. Each test has its own program folder and runtime folder.
#include "platform/win/Peer.h"
#include "tests/ChildProcess.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

constexpr auto kBound = 20s;

class PlayerProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* dist = std::getenv("TOVRIN_DIST_DIR");
        if (dist == nullptr || !fs::exists(fs::path(dist) / "tovrin")) {
            GTEST_SKIP() << "the player program is not built (TOVRIN_DIST_DIR/tovrin)";
        }
        dist_ = dist;
        static std::atomic<int> counter{0};
        root_ = fs::temp_directory_path() /
                ("tovrin-ui-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
        fs::create_directories(root_ / "prog" / "INI");
        fs::create_directory_symlink(fs::path(dist_) / "System", root_ / "prog" / "System");
        // The settings a new program folder starts with: their extension table types the files.
        fs::copy_file(fs::path(dist_) / "INI" / "Tovrin.ini", root_ / "prog" / "INI" / "Tovrin.ini");
        fs::create_directories(root_ / "run");
        fs::permissions(root_ / "run", fs::perms::owner_all, fs::perm_options::replace);
        setenv("TOVRIN_RUNTIME_DIR", (root_ / "run").c_str(), 1);
    }

    void TearDown() override {
        unsetenv("TOVRIN_RUNTIME_DIR");
        std::error_code error;
        fs::remove_all(root_, error);
    }

    std::map<std::string, std::string> Environment() const {
        return {{"QT_QPA_PLATFORM", "offscreen"},
                {"TOVRIN_RUNTIME_DIR", (root_ / "run").string()},
                {"TOVRIN_PROGRAM_FOLDER", (root_ / "prog").string()},
                {"TOVRIN_AUDIO_SINK", "fake"}};
    }

    std::unique_ptr<ChildProcess> Player(std::vector<std::string> arguments = {}) const {
        arguments.insert(arguments.begin(), dist_ + "/tovrin");
        return std::make_unique<ChildProcess>(arguments, Environment());
    }

    std::unique_ptr<ChildProcess> Editor(const char* mode) const {
        return std::make_unique<ChildProcess>(std::vector<std::string>{FAKE_EDITOR, mode}, Environment(),
                                              true);
    }

    // Waits, without polling, until a player window can be found: each description the players
    // publish is renamed into the runtime folder.
    bool WaitForPlayerWindow() const {
        const int watch = inotify_init1(IN_CLOEXEC);
        inotify_add_watch(watch, (root_ / "run").c_str(), IN_MOVED_TO | IN_CLOSE_WRITE);
        const auto deadline = std::chrono::steady_clock::now() + kBound;
        bool found = false;
        while (!(found = plat::win::FindPeerWindow("TDVDMain", "TovrinPlayer") != 0) &&
               std::chrono::steady_clock::now() < deadline) {
            pollfd fd{watch, POLLIN, 0};
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (poll(&fd, 1, static_cast<int>(std::max<long long>(left.count(), 0))) > 0) {
                char events[4096];
                [[maybe_unused]] const auto size = read(watch, events, sizeof events);
            }
        }
        close(watch);
        return found;
    }

    // Hands "/cmd:quit" over through a second start, which must end at once with 0.
    void QuitThroughSecondStart() const {
        auto second = Player({"/cmd:quit"});
        EXPECT_EQ(second->WaitExit(kBound), 0);
    }

    std::string SettingsText() const {
        std::ifstream file(root_ / "prog" / "INI" / "Tovrin.ini");
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    std::string dist_;
    fs::path root_;
};

TEST_F(PlayerProcessTest, ASecondStartHandsItsFileToTheFirstAndEnds) {
    auto first = Player();
    ASSERT_TRUE(WaitForPlayerWindow());
    const fs::path folder = root_ / "My \"Films\" / x";
    fs::create_directories(folder);
    const fs::path media = folder / "a b.avi";
    std::ofstream(media) << "not really a film";

    auto second = Player({media.string()});
    EXPECT_EQ(second->WaitExit(kBound), 0);
    // The hand-over waits until the first has run the text: the file is open by now.
    EXPECT_NE(SettingsText().find("LastFilePath=" + folder.string() + "/"), std::string::npos)
        << SettingsText();

    QuitThroughSecondStart();
    EXPECT_EQ(first->WaitExit(kBound), 0);
}

TEST_F(PlayerProcessTest, AKilledFirstInstanceIsReplacedByTheNextStart) {
    auto first = Player();
    ASSERT_TRUE(WaitForPlayerWindow());
    first->Kill(SIGKILL);
    EXPECT_EQ(first->WaitExit(kBound), 128 + SIGKILL);

    auto next = Player();
    ASSERT_TRUE(WaitForPlayerWindow());
    QuitThroughSecondStart();
    EXPECT_EQ(next->WaitExit(kBound), 0);
}

// Of two starts at once, the one that ends by itself: the second start, which must end with 0 once
// it has handed its command line over. The other, the first instance, is answered.
ChildProcess* TheSecondStart(ChildProcess& a, ChildProcess& b) {
    const auto deadline = std::chrono::steady_clock::now() + kBound;
    std::optional<int> aEnd, bEnd;
    while (!aEnd && !bEnd && std::chrono::steady_clock::now() < deadline) {
        aEnd = a.WaitExit(50ms);
        bEnd = b.WaitExit(0ms);
    }
    EXPECT_TRUE(aEnd || bEnd) << "both starts became first instances";
    EXPECT_EQ(aEnd ? *aEnd : bEnd.value_or(-1), 0);
    return aEnd ? &b : (bEnd ? &a : nullptr);
}

TEST_F(PlayerProcessTest, TwoStartsAtOnceMakeOneFirstInstance) {
    auto a = Player();
    auto b = Player();
    ChildProcess* first = TheSecondStart(*a, *b);
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(WaitForPlayerWindow());
    QuitThroughSecondStart();
    EXPECT_EQ(first->WaitExit(kBound), 0);
}

TEST_F(PlayerProcessTest, TwoStartsAtOnceWithFilesOpenBoth) {
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const fs::path one = root_ / "one.avi";
        const fs::path two = root_ / "two.avi";
        std::ofstream(one) << "not really a film";
        std::ofstream(two) << "not really a film";
        fs::remove(root_ / "prog" / "Playlist" / "History.lst");
        auto a = Player({one.string()});
        auto b = Player({two.string()});
        ChildProcess* first = TheSecondStart(*a, *b);
        ASSERT_NE(first, nullptr);
        // The hand-over waited until the first instance ran it: both files are in the history.
        std::ifstream file(root_ / "prog" / "Playlist" / "History.lst", std::ios::binary);
        std::string history(std::istreambuf_iterator<char>(file), {});
        std::erase(history, '\0'); // the names are plain ASCII in UTF-16
        EXPECT_NE(history.find(one.string()), std::string::npos) << history;
        EXPECT_NE(history.find(two.string()), std::string::npos) << history;
        QuitThroughSecondStart();
        EXPECT_EQ(first->WaitExit(kBound), 0);
    }
}

std::map<std::string, long long> ReadAnswers(ChildProcess& editor, const std::string& until) {
    std::map<std::string, long long> answers;
    while (const auto line = editor.ReadLine()) {
        std::istringstream fields(*line);
        std::string what;
        long long answer = 0;
        fields >> what >> answer;
        answers[what] = answer;
        if (what == until) {
            break;
        }
    }
    return answers;
}

TEST_F(PlayerProcessTest, AnEditorThatAgreesLetsTheQuitComplete) {
    auto player = Player();
    ASSERT_TRUE(WaitForPlayerWindow());
    auto editor = Editor("accept");
    const auto attached = ReadAnswers(*editor, "ready");
    ASSERT_EQ(attached.count("ready"), 1u) << "the editor did not attach";
    EXPECT_EQ(attached.at("editmode-on"), 0);
    EXPECT_EQ(attached.at("gettime"), 0); // nothing plays
    EXPECT_EQ(attached.at("order"), 0);
    EXPECT_EQ(attached.at("bare-order"), -1);

    QuitThroughSecondStart();
    // The player asked the editor, which sent "/EDITMODE:OFF" back while the player waited.
    const auto closing = ReadAnswers(*editor, "request");
    EXPECT_EQ(closing.at("nested-editmode-off"), 0);
    EXPECT_EQ(closing.at("request"), 1);
    EXPECT_EQ(editor->WaitExit(kBound), 0);
    EXPECT_EQ(player->WaitExit(kBound), 0);
}

TEST_F(PlayerProcessTest, AnEditorThatRefusesLeavesThePlayerWorking) {
    auto player = Player();
    ASSERT_TRUE(WaitForPlayerWindow());
    auto editor = Editor("refuse");
    ASSERT_EQ(ReadAnswers(*editor, "ready").count("ready"), 1u);

    QuitThroughSecondStart();
    const auto refused = ReadAnswers(*editor, "editmode-off");
    EXPECT_EQ(refused.at("request"), 0);
    EXPECT_EQ(editor->WaitExit(kBound), 0);
    // The player still runs its command texts: the editor detached, and the next quit completes.
    EXPECT_FALSE(player->WaitExit(0ms).has_value());
    QuitThroughSecondStart();
    EXPECT_EQ(player->WaitExit(kBound), 0);
}

TEST_F(PlayerProcessTest, WithoutADisplayThePlayerSaysSoAndFails) {
    auto env = Environment();
    env["QT_QPA_PLATFORM"] = "";
    env["DISPLAY"] = "";
    env["WAYLAND_DISPLAY"] = "";
    ChildProcess player({dist_ + "/tovrin"}, env);
    const auto status = player.WaitExit(kBound);
    ASSERT_TRUE(status.has_value());
    EXPECT_NE(*status, 0);
}

} // namespace
