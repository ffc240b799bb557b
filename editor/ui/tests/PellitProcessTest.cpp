// The "pellit3" program as a user runs it, beside a stand-in player in its own runtime folder: it
// starts in remote mode and puts the player in edit mode; a second editor exits at once; after the
// first is killed a new one starts; the player's quit question closes the editor, which clears the
// player's profile subtitles and leaves edit mode.
#include "editor/tests/EditorTestSupport.h"
#include "platform/win/Message.h"
#include "platform/win/Peer.h"
#include "tests/ChildProcess.h"

#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstdlib>

namespace {

class PellitProcessTest : public ::testing::Test {
protected:
    PellitProcessTest() : player_({EDITOR_FAKE_PLAYER}, Environment(), true) {}

    std::map<std::string, std::string> Environment() const {
        return {{"TOVRIN_RUNTIME_DIR", runtime_.Path().string()}, {"QT_QPA_PLATFORM", "offscreen"}};
    }
    std::unique_ptr<ChildProcess> StartEditor() {
        return std::make_unique<ChildProcess>(std::vector<std::string>{PELLIT3_PROGRAM}, Environment());
    }
    // Reads the player's lines up to one that starts with the text; false when its output ends first.
    bool WaitForLine(const std::string& wanted) {
        while (const auto line = player_.ReadLine()) {
            if (line->rfind(wanted, 0) == 0) {
                return true;
            }
        }
        return false;
    }

    TestFolder runtime_;
    // This process finds the player in the same runtime folder.
    RuntimeScope scope_{runtime_.Path().string()};
    ChildProcess player_;
};

} // namespace

TEST_F(PellitProcessTest, OneEditorAtATimeInRemoteMode) {
    ASSERT_EQ(player_.ReadLine(), "ready");
    auto first = StartEditor();
    ASSERT_TRUE(WaitForLine("text /EDITMODE:ON"));
    // The new profile's language reaches the player as core orders after the auto-refresh wait.
    ASSERT_TRUE(WaitForLine("order 500 "));

    auto second = StartEditor();
    EXPECT_EQ(second->WaitExit(std::chrono::seconds(20)), 0);

    first->Kill(SIGKILL);
    ASSERT_TRUE(first->WaitExit(std::chrono::seconds(20)).has_value());
    auto third = StartEditor();
    ASSERT_TRUE(WaitForLine("text /EDITMODE:ON"));

    // The player asks the editor to close: a new, unsaved profile clears the player's subtitles.
    const plat::win::HWND player = plat::win::FindPeerWindow("TDVDMain", "TovrinPlayer");
    ASSERT_NE(player, 0u);
    EXPECT_EQ(plat::win::SendMessage(player, plat::win::WM_USER + 1, 0, 0), 1);
    ASSERT_TRUE(WaitForLine("text /CMD:CLEARPROFSUBS"));
    ASSERT_TRUE(WaitForLine("text /EDITMODE:OFF"));
    ASSERT_TRUE(WaitForLine("asked 1"));
    EXPECT_EQ(third->WaitExit(std::chrono::seconds(20)), 0);
}
