// The link to a running player, against a stand-in player in another process: edit mode on and off,
// command texts each followed by message 11023, the playing time asked as "/CMD:GETTIME", core orders
// as frames of their whole records, the player's quit question answered by the editor's window, and
// a player that died answering 0.
#include "editor/TEditorWindow.h"
#include "editor/TSendToRemoteCore.h"
#include "editor/TShared.h"
#include "editor/tests/EditorTestSupport.h"
#include "platform/win/Message.h"
#include "tests/ChildProcess.h"

#include <gtest/gtest.h>

#include <signal.h>

#include <array>
#include <cstring>

namespace win = plat::win;

namespace {

class QuitQuestion : public TEditorWindow::IHandler {
public:
    void RunCommandText(const std::u16string&) override {}
    void BringToFront() override { ++Raised; }
    bool CloseRequested() override { return Agree; }
    void AutoRefreshTick() override {}
    void PlayAtTitleTime(int32_t, int32_t, uint32_t) override {}
    bool Agree = false;
    int Raised = 0;
};

class PlayerLinkTest : public ::testing::Test {
protected:
    PlayerLinkTest() : player_({EDITOR_FAKE_PLAYER}, {}, true), window_(question_) {}

    void SetUp() override {
        ASSERT_EQ(player_.ReadLine(), "ready");
        ASSERT_TRUE(window_.Create());
        ASSERT_FALSE(shared_.DetectPlayer());
        shared_.Video().SetWindows(window_.Handle(), shared_.PlayerWindow());
    }
    // The lines the player printed for what was sent since.
    void ExpectLines(std::initializer_list<std::string> lines) {
        for (const std::string& line : lines) {
            EXPECT_EQ(player_.ReadLine(), line);
        }
    }

    RuntimeScope runtime_;
    ChildProcess player_;
    QuitQuestion question_;
    TEditorWindow window_;
    TShared shared_;
};

} // namespace

TEST_F(PlayerLinkTest, CommandTextsAndEditMode) {
    EXPECT_TRUE(shared_.Video().IsRemote());
    shared_.SetPlayerEditMode(true);
    ExpectLines({"text /EDITMODE:ON", "after"});
    EXPECT_EQ(shared_.Video().GetTime(), 12345);
    ExpectLines({"text /CMD:GETTIME", "after"});

    shared_.SetPlayerEditMode(false);
    ExpectLines({"text /CMD:CLEARPROFSUBS", "after", "text /EDITMODE:OFF", "after"});
    shared_.SetDocumentPath(u"/tmp/a b/p.zds");
    shared_.SetPlayerEditMode(false);
    ExpectLines({"text /O:\"/tmp/a b/p.zds\"", "after", "text /EDITMODE:OFF", "after"});
}

TEST_F(PlayerLinkTest, OrdersTravelAsFramesOfTheirRecords) {
    TSendToRemoteCore binding;
    EXPECT_TRUE(binding.Load("/nowhere"));
    TCoreInstance* instance = binding.CreatePlayerInstance(0);
    EXPECT_NE(instance, nullptr);
    EXPECT_NE(binding.PlayerWindow(), 0u);

    EXPECT_EQ(binding.SendOrder(instance, 0, 301, nullptr, nullptr), 1);
    ExpectLines({"order 301 0"});
    EXPECT_EQ(binding.SendOrder(instance, 0, 502, reinterpret_cast<void*>(uintptr_t{5}), nullptr), -1);
    std::array<uint32_t, 2> bare{0x6d6f682f, 0x752f656d}; // "/home/u/": a text, no record
    EXPECT_EQ(binding.SendOrder(instance, 0, 207, bare.data(), nullptr), -1);
    std::array<uint32_t, 5> record{0, 20, 7, 8, 9};
    EXPECT_EQ(binding.SendOrder(instance, 0, 502, record.data(), nullptr), 1);
    // Nothing was sent for the refused records: the next line is the record's.
    ExpectLines({"order 502 20"});
    EXPECT_EQ(binding.FreePlayerInstance(instance, 0), -1);
    EXPECT_EQ(binding.FreeData(nullptr), -1);
}

TEST_F(PlayerLinkTest, ThePlayersQuitQuestionIsAnswered) {
    shared_.SetPlayerEditMode(true);
    ExpectLines({"text /EDITMODE:ON", "after"});
    question_.Agree = false;
    EXPECT_EQ(win::SendMessage(shared_.PlayerWindow(), win::WM_USER + 1, 0, 0), 0);
    ExpectLines({"asked 0"});
    question_.Agree = true;
    EXPECT_EQ(win::SendMessage(shared_.PlayerWindow(), win::WM_USER + 1, 0, 0), 1);
    ExpectLines({"asked 1"});
    EXPECT_EQ(question_.Raised, 2);
}

TEST_F(PlayerLinkTest, ADeadPlayerAnswersZero) {
    player_.Kill(SIGKILL);
    ASSERT_TRUE(player_.WaitExit(std::chrono::seconds(10)).has_value());
    EXPECT_EQ(shared_.Video().GetTime(), 0);
    EXPECT_EQ(shared_.Video().SendPlayerCommand(shared_.PlayerWindow(), "/EDITMODE:OFF"), 0);
}
