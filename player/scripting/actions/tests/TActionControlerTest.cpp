#include "player/scripting/actions/TActionControler.h"

#include "foundation/tests/TempDir.h"
#include "player/scripting/actions/PlayerActionVocabulary.h"
#include "player/scripting/actions/ShortcutCode.h"

#include <gtest/gtest.h>

#include <QAction>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::string FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class TActionControlerTest : public ::testing::Test {
protected:
    QAction* Add(const char* name, const char* category) {
        auto* action = new QAction(&owner_);
        action->setObjectName(name);
        action->setProperty(TActionControler::kCategoryProperty, category);
        actions_.push_back(action);
        return action;
    }

    std::string WriteFile(const std::string& text) { return folder_.Write("Keys.cfg", text); }

    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (int32_t i = 0; i < controler_.Count(); ++i) {
            names.push_back(controler_.GetItem(i)->Name);
        }
        return names;
    }

    TempDir folder_;
    QObject owner_;
    QList<QAction*> actions_;
    TActionControler controler_;
};

TEST_F(TActionControlerTest, OnlyActionsNamedAcBecomeCommands) {
    Add("Ac_Play", "01")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    Add("Act_SaveState", "01");
    Add("ac_Lower", "01");
    Add("Ac_", "01");
    Add("Ac_Stop", "01");
    controler_.BuildFromActionList(actions_);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Play", "Stop"}));
    EXPECT_EQ(controler_.GetItem(0)->ShortcutCode, 0x40041);
    EXPECT_EQ(controler_.GetItem(1)->Position, 1);
    EXPECT_EQ(controler_.GetItem(2), nullptr);
    EXPECT_EQ(controler_.GetItem(-1), nullptr);
}

TEST_F(TActionControlerTest, SortsByCategoryKeepingListOrderWithinOne) {
    QList<QAction*> actions = CreatePlayerActions(&owner_);
    ASSERT_EQ(actions.size(), 62);
    std::reverse(actions.begin(), actions.end());
    controler_.BuildFromActionList(actions);
    std::vector<std::string> expected;
    const auto vocabulary = PlayerActionVocabulary();
    for (auto group = vocabulary.begin(); group != vocabulary.end();) {
        auto end = std::find_if(group, vocabulary.end(),
                                [&](const auto& e) { return e.category != group->category; });
        for (auto it = end; it != group;) {
            --it;
            expected.emplace_back(it->name);
        }
        group = end;
    }
    EXPECT_EQ(Names(), expected);
    EXPECT_EQ(controler_.GetItem(controler_.IndexOfAction(controler_.FindActionByName("Play")))->ShortcutCode,
              0x40041);
    EXPECT_EQ(controler_.GetItem(0)->Position,
              46); // Chapters, the first playback action of the reversed list
}

TEST_F(TActionControlerTest, WritesTheKeyMapByteForByte) {
    Add("Ac_Play", "01");
    Add("Ac_Stop", "01");
    Add("Ac_VolumeMore", "04");
    controler_.BuildFromActionList(actions_);
    controler_.GetItem(0)->ShortcutCode = 0x40041;
    controler_.SetRemoteCode(0, "PLAY & <go> \"1\"", false);
    controler_.GetItem(1)->GestureCode = 12;
    controler_.GetItem(2)->ShortcutCode = 0x10026;
    controler_.SetRemoteCode(2, "VOL+", false);
    const std::string golden = FileBytes(std::string(ACTIONS_GOLDEN_DIR) + "/Keys.cfg");
    EXPECT_EQ(controler_.KeyMapText(), golden);
    const std::string path = folder_.Path("KeysSaved.cfg");
    ASSERT_TRUE(controler_.SaveToFile(path));
    EXPECT_EQ(FileBytes(path), golden);
    EXPECT_FALSE(controler_.SaveToFile("/nonexistent/folder/Keys.cfg"));

    TActionControler reread;
    reread.BuildFromActionList(actions_);
    ASSERT_EQ(reread.LoadFromFile(path), 0);
    EXPECT_EQ(reread.KeyMapText(), golden);
    EXPECT_EQ(actions_[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
    EXPECT_EQ(actions_[2]->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_Up));
}

TEST_F(TActionControlerTest, LoadsWhatTheFileGivesAndClearsTheRest) {
    QAction* play = Add("Ac_Play", "01");
    QAction* stop = Add("Ac_Stop", "01");
    QAction* pause = Add("Ac_Pause", "01");
    controler_.BuildFromActionList(actions_);
    stop->setShortcut(QKeySequence(Qt::Key_S));
    controler_.GetItem(1)->ShortcutCode = 0x53;
    controler_.GetItem(1)->GestureCode = 9;
    controler_.SetRemoteCode(1, "KEEP", false);
    controler_.SetRemoteCode(2, "GONE", false);
    const std::string path =
        WriteFile("<command>\r\n<play><shortcut>262209</shortcut><GESTURE>7</GESTURE>"
                  "<Remote>0123456789012345678901234567890123</Remote></play>\r\n"
                  "<Pause><Shortcut></Shortcut></Pause>\r\n<Stop></Stop>\r\n</command>\r\n");
    ASSERT_EQ(controler_.LoadFromFile(path), 0);
    EXPECT_EQ(controler_.GetItem(0)->ShortcutCode, 0x40041);
    EXPECT_EQ(controler_.GetItem(0)->GestureCode, 7);
    EXPECT_EQ(controler_.GetItem(0)->RemoteCode, "01234567890123456789012345678");
    EXPECT_EQ(play->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
    // Stop is in the file without children: codes cleared, its action and remote code kept.
    EXPECT_EQ(controler_.GetItem(1)->ShortcutCode, 0);
    EXPECT_EQ(controler_.GetItem(1)->GestureCode, 0);
    EXPECT_EQ(controler_.GetItem(1)->RemoteCode, "KEEP");
    EXPECT_EQ(stop->shortcut(), QKeySequence(Qt::Key_S));
    // Pause has an empty shortcut and no remote element.
    EXPECT_TRUE(pause->shortcut().isEmpty());
    EXPECT_EQ(controler_.GetItem(2)->RemoteCode, "");
    controler_.ApplyShortcuts();
    EXPECT_TRUE(stop->shortcut().isEmpty());
    controler_.ClearShortcuts();
    EXPECT_TRUE(play->shortcut().isEmpty());
}

TEST_F(TActionControlerTest, LoadingFailuresKeepTheTable) {
    Add("Ac_Play", "01");
    TActionControler empty;
    EXPECT_EQ(empty.LoadFromFile(WriteFile("<COMMAND></COMMAND>")), -1);
    controler_.BuildFromActionList(actions_);
    controler_.GetItem(0)->ShortcutCode = 0x41;
    EXPECT_EQ(controler_.LoadFromFile("/nonexistent/Keys.cfg"), -1);
    EXPECT_EQ(controler_.LoadFromFile(WriteFile("<KEYS><Play><Shortcut>1</Shortcut></Play></KEYS>")), 0);
    EXPECT_EQ(controler_.LoadFromFile(WriteFile("")), 0);
    EXPECT_EQ(controler_.GetItem(0)->ShortcutCode, 0x41);
}

TEST_F(TActionControlerTest, RemoteCodesMoveAndNeverMatchEmpty) {
    QAction* play = Add("Ac_Play", "01");
    QAction* stop = Add("Ac_Stop", "01");
    controler_.BuildFromActionList(actions_);
    EXPECT_TRUE(controler_.SetRemoteCodeOfAction(play, "RC5:12", false));
    EXPECT_TRUE(controler_.SetRemoteCodeOfAction(stop, "RC5:12", false));
    EXPECT_EQ(controler_.GetItem(0)->RemoteCode, "");
    EXPECT_EQ(controler_.FindActionByRemoteCode("RC5:12"), stop);
    EXPECT_TRUE(controler_.SetRemoteCode(0, "RC5:12", true));
    EXPECT_EQ(controler_.FindActionByRemoteCode("RC5:12"), play);
    EXPECT_FALSE(controler_.SetRemoteCode(5, "X", false));
    EXPECT_FALSE(controler_.SetRemoteCode(0, nullptr, false));
    EXPECT_TRUE(controler_.SetRemoteCode(1, "", false));
    EXPECT_EQ(controler_.GetItem(0)->RemoteCode, "RC5:12");
    EXPECT_EQ(controler_.FindActionByRemoteCode(""), nullptr);
    EXPECT_EQ(controler_.FindActionByRemoteCode("rc5:12"), nullptr);
    controler_.SetRemoteCode(
        0,
        "\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9"
        "\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9",
        false);
    EXPECT_EQ(controler_.GetItem(0)->RemoteCode.size(), 28u); // cut at a character boundary
}

TEST_F(TActionControlerTest, FindsByNameAndGesture) {
    QAction* play = Add("Ac_Play", "01");
    controler_.BuildFromActionList(actions_);
    EXPECT_EQ(controler_.FindActionByName("play"), play);
    EXPECT_EQ(controler_.FindActionByName("PLAY"), play);
    EXPECT_EQ(controler_.FindActionByName("Ac_Play"), nullptr);
    EXPECT_EQ(controler_.FindActionByGesture(0), nullptr);
    controler_.GetItem(0)->GestureCode = 3;
    EXPECT_EQ(controler_.FindActionByGesture(3), play);
    EXPECT_EQ(controler_.FindActionByGesture(4), nullptr);
    EXPECT_EQ(controler_.IndexOfAction(nullptr), -1);
}

TEST_F(TActionControlerTest, FindsByTheKeyOfAShortcutCode) {
    QAction* play = Add("Ac_Play", "01");
    QAction* stop = Add("Ac_Stop", "01");
    controler_.BuildFromActionList(actions_);
    controler_.GetItem(0)->ShortcutCode = 0x40041;  // Ctrl+A
    controler_.GetItem(1)->ShortcutCode = 0x480025; // LeftBt+Double+Left: the Left key
    EXPECT_EQ(controler_.FindActionByShortCut(16449), play);
    EXPECT_EQ(controler_.FindActionByShortCut(0x25), stop);
    EXPECT_EQ(controler_.FindActionByShortCut(0x41), nullptr); // A without Ctrl
    EXPECT_EQ(controler_.FindActionByShortCut(0), nullptr);
}

} // namespace
