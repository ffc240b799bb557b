// Messages between processes: windows found by class and title, sends with their answers, WM_COPYDATA
// blocks, a send back to the sender while it waits, a dead peer answering 0; the packet checks; the
// named mutex; the runtime folder's safety.
#include "platform/win/Peer.h"
#include "platform/win/Message.h"
#include "platform/win/NamedMutex.h"
#include "platform/win/PeerFrame.h"
#include "platform/win/RuntimeFolder.h"
#include "platform/win/Window.h"
#include "platform/win/tests/ScopedClass.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;
namespace win = plat::win;

extern char** environ;

namespace {

class RuntimeFolderScope {
public:
    RuntimeFolderScope() {
        static int counter = 0;
        folder_ = fs::temp_directory_path() /
                  ("tovrin-peer-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
        fs::create_directories(folder_);
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::replace);
        setenv("TOVRIN_RUNTIME_DIR", folder_.c_str(), 1);
    }
    ~RuntimeFolderScope() {
        unsetenv("TOVRIN_RUNTIME_DIR");
        std::error_code error;
        fs::remove_all(folder_, error);
    }
    const fs::path& Folder() const { return folder_; }

private:
    fs::path folder_;
};

// The echo process, started and awaited ready (it prints a line once published).
class EchoProcess {
public:
    explicit EchoProcess(const char* title) {
        int fds[2];
        EXPECT_EQ(pipe(fds), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        char* argv[] = {const_cast<char*>(PEER_ECHO), const_cast<char*>(title), nullptr};
        EXPECT_EQ(posix_spawn(&pid_, PEER_ECHO, &actions, nullptr, argv, environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        char line[16] = {};
        ready_ = read(fds[0], line, sizeof line - 1) > 0 && std::strncmp(line, "ready", 5) == 0;
        close(fds[0]);
    }
    ~EchoProcess() {
        kill(pid_, SIGKILL);
        Wait();
    }
    bool Ready() const { return ready_; }
    void Kill() { kill(pid_, SIGKILL); }
    int Wait() {
        int status = 0;
        if (!waited_ && waitpid(pid_, &status, 0) == pid_) {
            waited_ = true;
            status_ = status;
        }
        return status_;
    }

private:
    pid_t pid_ = -1;
    bool ready_ = false;
    bool waited_ = false;
    int status_ = 0;
};

TEST(PeerTest, FindsSendsAndCopiesAcrossProcesses) {
    RuntimeFolderScope runtime;
    EchoProcess echo("Echo Title");
    ASSERT_TRUE(echo.Ready());
    EXPECT_EQ(win::FindPeerWindow("PeerEcho", "Other"), 0u);
    const win::HWND peer = win::FindPeerWindow("peerecho", "ECHO TITLE");
    ASSERT_NE(peer, 0u);
    EXPECT_TRUE(win::IsPeerWindow(peer));
    EXPECT_EQ(win::SendMessage(peer, win::WM_USER + 1, 6, 7), 42);
    const unsigned char block[] = {1, 2, 3, 250};
    const win::COPYDATASTRUCT copy{1000, sizeof block, block};
    EXPECT_EQ(win::SendMessage(peer, win::WM_COPYDATA, 0, reinterpret_cast<win::LPARAM>(&copy)), 1256);
    // Messages whose parameters are addresses do not cross.
    EXPECT_EQ(win::SendMessage(peer, win::WM_SETTEXT, 0, reinterpret_cast<win::LPARAM>("x")), 0);
    EXPECT_FALSE(win::PostMessage(peer, win::WM_COPYDATA, 0, 0));
    EXPECT_TRUE(win::PostMessage(peer, win::WM_CLOSE, 0, 0));
    EXPECT_EQ(echo.Wait(), 0);
}

win::LRESULT AnswerBack(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
    return msg == win::WM_USER + 5 ? 41 : win::DefWindowProc(hwnd, msg, wParam, lParam);
}

TEST(PeerTest, ASendBackToTheWaitingSenderIsAnswered) {
    RuntimeFolderScope runtime;
    win::testing::ScopedClass cls("PeerSender", &AnswerBack);
    const win::HWND self = win::CreateWindowEx(0, "PeerSender", "", 0, 0, 0, 0, 0, 0, nullptr);
    ASSERT_TRUE(win::PublishWindow(self));
    EchoProcess echo("nest");
    ASSERT_TRUE(echo.Ready());
    const win::HWND peer = win::FindPeerWindow("PeerEcho", "nest");
    ASSERT_NE(peer, 0u);
    const win::COPYDATASTRUCT copy{0, 4, "nest"};
    EXPECT_EQ(win::SendMessage(peer, win::WM_COPYDATA, self, reinterpret_cast<win::LPARAM>(&copy)), 42);
    win::DestroyWindow(self);
}

TEST(PeerTest, ADeadPeerAnswersZeroAndItsHandleGoes) {
    RuntimeFolderScope runtime;
    EchoProcess echo("doomed");
    ASSERT_TRUE(echo.Ready());
    const win::HWND peer = win::FindPeerWindow("PeerEcho", "doomed");
    ASSERT_NE(peer, 0u);
    echo.Kill();
    echo.Wait();
    EXPECT_EQ(win::SendMessage(peer, win::WM_USER + 1, 2, 3), 0);
    EXPECT_FALSE(win::IsWindow(peer));
    // Its files are left behind by the kill; the next search removes them.
    EXPECT_EQ(win::FindPeerWindow("PeerEcho", "doomed"), 0u);
    EXPECT_EQ(std::distance(fs::directory_iterator(runtime.Folder()), fs::directory_iterator()), 0);
}

struct PacketCase {
    const char* name;
    std::vector<uint8_t> packet;
    bool accepted;
};

void PrintTo(const PacketCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<uint8_t> Packet(uint16_t type, win::UINT msg, const std::vector<uint8_t>& data,
                            void (*change)(win::PeerFrameHeader&) = nullptr) {
    const win::COPYDATASTRUCT copy{0, static_cast<win::DWORD>(data.size()), data.data()};
    auto packet = win::PeerFrame::Encode(type, msg, 0, 0, msg == win::WM_COPYDATA ? &copy : nullptr);
    if (change != nullptr) {
        win::PeerFrameHeader header{};
        std::memcpy(&header, packet.data(), sizeof header);
        change(header);
        std::memcpy(packet.data(), &header, sizeof header);
    }
    return packet;
}

class PeerPacketTest : public ::testing::TestWithParam<PacketCase> {};

TEST_P(PeerPacketTest, IsCheckedWholeBeforeDelivery) {
    const auto& packet = GetParam().packet;
    // Decoded from a block of exactly its size, so that an over-read shows under AddressSanitizer.
    const std::vector<uint8_t> exact(packet.begin(), packet.end());
    EXPECT_EQ(win::PeerFrame::Decode(exact).has_value(), GetParam().accepted) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Packets, PeerPacketTest,
    ::testing::Values(
        PacketCase{"private_send", Packet(win::PeerFrame::kSend, win::WM_USER + 7, {}), true},
        PacketCase{"copydata", Packet(win::PeerFrame::kSend, win::WM_COPYDATA, {1, 2, 3}), true},
        PacketCase{"empty", {}, false}, PacketCase{"short_header", std::vector<uint8_t>(39, 0), false},
        PacketCase{"bad_magic", Packet(win::PeerFrame::kSend, win::WM_USER, {}, [](auto& h) { h.magic = 1; }),
                   false},
        PacketCase{"bad_version",
                   Packet(win::PeerFrame::kSend, win::WM_USER, {}, [](auto& h) { h.version = 2; }), false},
        PacketCase{"reply_as_request", Packet(win::PeerFrame::kReply, win::WM_USER, {}), false},
        PacketCase{"size_beyond_data",
                   Packet(win::PeerFrame::kSend, win::WM_COPYDATA, {1, 2}, [](auto& h) { h.cbData = 3; }),
                   false},
        PacketCase{"size_short_of_data",
                   Packet(win::PeerFrame::kSend, win::WM_COPYDATA, {1, 2}, [](auto& h) { h.cbData = 1; }),
                   false},
        PacketCase{
            "data_on_a_plain_message",
            Packet(win::PeerFrame::kSend, win::WM_COPYDATA, {1}, [](auto& h) { h.msg = win::WM_USER; }),
            false},
        PacketCase{"address_message", Packet(win::PeerFrame::kSend, win::WM_SETTEXT, {}), false},
        PacketCase{"posted_copydata", Packet(win::PeerFrame::kPost, win::WM_COPYDATA, {1}), false}),
    [](const ::testing::TestParamInfo<PacketCase>& info) { return std::string(info.param.name); });

TEST(NamedMutexTest, OneHolderAtATimeAndFreedWhenReleased) {
    RuntimeFolderScope runtime;
    std::unique_ptr<win::NamedMutex> first;
    std::unique_ptr<win::NamedMutex> second;
    ASSERT_EQ(win::NamedMutex::TryAcquire("TestMutex", &first), win::NamedMutex::Result::Acquired);
    EXPECT_EQ(win::NamedMutex::TryAcquire("TestMutex", &second), win::NamedMutex::Result::HeldElsewhere);
    EXPECT_EQ(second, nullptr);
    first.reset();
    EXPECT_EQ(win::NamedMutex::TryAcquire("TestMutex", &second), win::NamedMutex::Result::Acquired);
    EXPECT_EQ(win::NamedMutex::TryAcquire("../x", &first), win::NamedMutex::Result::Failed);
    EXPECT_EQ(win::NamedMutex::TryAcquire("", &first), win::NamedMutex::Result::Failed);
}

TEST(RuntimeFolderTest, RefusesAFolderOthersMayEnter) {
    RuntimeFolderScope runtime;
    EXPECT_EQ(win::RuntimeFolder(), runtime.Folder().string());
    fs::permissions(runtime.Folder(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec,
                    fs::perm_options::replace);
    EXPECT_EQ(win::RuntimeFolder(), "");
    std::unique_ptr<win::NamedMutex> held;
    EXPECT_EQ(win::NamedMutex::TryAcquire("TestMutex", &held), win::NamedMutex::Result::Failed);
}

TEST(RuntimeFolderTest, MakesAMissingFolderPrivate) {
    RuntimeFolderScope runtime;
    const fs::path inner = runtime.Folder() / "inner";
    setenv("TOVRIN_RUNTIME_DIR", inner.c_str(), 1);
    EXPECT_EQ(win::RuntimeFolder(), inner.string());
    EXPECT_EQ(fs::status(inner).permissions(), fs::perms::owner_all);
}

} // namespace
