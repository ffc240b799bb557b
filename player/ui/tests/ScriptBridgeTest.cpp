// A remote plug-in in the real host of the player: its commands run as scripts on the main thread with
// the whole player in reach, its answers always end inside its own buffer, its remote codes run the
// actions of the key map, and a quit it asks for runs from the message loop without a hang.
#include "platform/win/tests/TestWindow.h"
#include "player/model/events/PlayerEvents.h"
#include "player/model/hub/TPlayControl.h"
#include "player/scripting/remote/TPlugIns.h"
#include "player/scripting/remote/tests/TestPluginControl.h"
#include "player/ui/TMainActions.h"
#include "player/ui/TScriptBridge.h"
#include "tests/MainFormFixture.h"

#include <QAction>
#include <QCoreApplication>

#include <dlfcn.h>

#include <utility>

namespace {

class ScriptBridgeTest : public MainFormFixture {
protected:
    void PrepareProgramFolder(const fs::path& prog) override {
        fs::create_directories(prog / "Plug-ins");
        const fs::path plugin = prog / "Plug-ins" / "plugtest.so";
        fs::copy_file(TESTPLUG_FULL, plugin);
        // The same instance the host loads, so the test sets what the plug-in does.
        library_ = dlopen(plugin.c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library_, nullptr) << dlerror();
        control_ = reinterpret_cast<TestPluginControlFn>(dlsym(library_, "tovtest_Control"))();
        std::ofstream(prog / "INI" / "Tovrin.ini") << "[PlugIns]\nplugtest=1\n";
        std::ofstream(prog / "INI" / "Keys.cfg")
            << "<COMMAND>\r\n"
               "  <Stop><Shortcut>0</Shortcut><Gesture>0</Gesture><Remote>IRM-STOP</Remote></Stop>\r\n"
               "  <Quit><Shortcut>0</Shortcut><Gesture>0</Gesture><Remote>IRM-QUIT</Remote></Quit>\r\n"
               "</COMMAND>\r\n";
    }

    void TearDown() override {
        if (main_ && main_->PlugIns() != nullptr) {
            main_->PlugIns()->SetQuitting();
            main_->PlugIns()->Stop();
        }
        MainFormFixture::TearDown();
        if (library_ != nullptr) {
            dlclose(library_);
        }
    }

    // Starts the plug-in, which sends the command from its callback registration; the host runs it on
    // this thread while it waits for the start.
    TestPluginCommand Send(std::u16string text, int32_t capacity) {
        main_->PlugIns()->Stop();
        control_->commandInSetCallback = true;
        control_->setCallbackCommand = TestPluginCommand{};
        control_->setCallbackCommand.text = std::move(text);
        control_->setCallbackCommand.capacity = capacity;
        main_->StartPlugins(true);
        return control_->setCallbackCommand;
    }

    void* library_ = nullptr;
    TestPluginControl* control_ = nullptr;
};

TEST_F(ScriptBridgeTest, AnswersEndInsideTheCallersBuffer) {
    struct Row {
        int32_t capacity;
        std::u16string answer;
        int32_t size;
    };
    const Row rows[] = {
        {64, u"12345", 12}, {12, u"12345", 12}, {11, u"1234", 10}, {4, u"1", 4}, {5, u"1", 4}, {1, u"", 0},
    };
    for (const Row& row : rows) {
        const TestPluginCommand command = Send(u"strtoint(\"12345\")", row.capacity);
        EXPECT_EQ(command.result, 1) << row.capacity;
        EXPECT_EQ(command.consumed, 17) << row.capacity;
        EXPECT_EQ(command.answerSize, row.size) << "capacity " << row.capacity;
        if (row.size > 0) {
            EXPECT_EQ(std::u16string(command.answer.data()), row.answer) << "capacity " << row.capacity;
        }
    }
}

TEST_F(ScriptBridgeTest, ARejectedCommandStillAnswersWithItsCode) {
    const TestPluginCommand command = Send(u"print(\"so far\")\n)", 64);
    EXPECT_NE(command.result, 1);
    EXPECT_EQ(std::u16string(command.answer.data()), u"so far");
}

TEST_F(ScriptBridgeTest, TheAnswerIsWhatWasPrintedAndTheValueOnlyWhenNothingWas) {
    struct Row {
        std::u16string command;
        int32_t result;
        std::u16string answer;
    };
    const Row rows[] = {
        {u"strtoint(\"7\")\nprint(\"out\")", 1, u"out"},
        {u"print(\"out\")\nstrtoint(\"7\")", 1, u"out"},
        {u"strtoint(\"7\")", 1, u"7"},
        {u"", 1, u""},
        {u"cmd.ac_play", 16, u""},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        const TestPluginCommand command = Send(rows[i].command, 64);
        EXPECT_EQ(command.result, rows[i].result);
        EXPECT_EQ(std::u16string(command.answer.data()), rows[i].answer);
    }
}

TEST_F(ScriptBridgeTest, PluginCommandsReachThePlayersActionsAndRemoteCodes) {
    int stops = 0;
    main_->MainActions().Bind("Ac_Stop", [&stops] { ++stops; });
    EXPECT_EQ(Send(u"cmd.stop", 64).result, 1);
    EXPECT_EQ(Send(u"cmd.ir(\"IRM-STOP\")", 64).result, 1);
    EXPECT_EQ(Send(u"cmd.ir(\"IRM-UNKNOWN\")", 64).result, 1);
    EXPECT_EQ(stops, 2);
}

TEST_F(ScriptBridgeTest, AQuitFromARemoteCodeRunsFromTheMessageLoopWithoutAHang) {
    EXPECT_EQ(Send(u"cmd.ir(\"IRM-QUIT\")", 64).result, 1);
    EXPECT_FALSE(closed_) << "not inside the plug-in's command";
    while (!closed_) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    EXPECT_GE(control_->stops, 1) << "the quit stopped the plug-ins";
}

TEST_F(ScriptBridgeTest, AQuitTheEditorRefusesLeavesThePlugInsAbleToStart) {
    win::testing::TestWindow editor([](win::HWND, win::UINT msg, win::WPARAM, win::LPARAM) {
        return win::LRESULT{msg == TDVDMain::kMsgEditorRequest ? 0 : 1};
    });
    main_->ProcessCommandLine("/EDITMODE:ON", editor.hwnd());
    EXPECT_EQ(Send(u"cmd.ir(\"IRM-QUIT\")", 64).result, 1);
    win::DispatchPending();
    EXPECT_FALSE(main_->IsClosing()) << "the editor refused";
    EXPECT_FALSE(main_->PlugIns()->Quitting());
    main_->PlugIns()->Stop();
    EXPECT_EQ(main_->StartPlugins(true), 1);
    main_->ProcessCommandLine("/EDITMODE:OFF", 0);
}

TEST_F(ScriptBridgeTest, ACommandFromThePluginsOwnThreadRunsOnTheMainThread) {
    bool stopped = false;
    main_->MainActions().Bind("Ac_Stop", [&stopped] { stopped = true; });
    main_->PlugIns()->Stop();
    control_->commandThreadOnCallback = true;
    control_->threadCommand.text = u"cmd.stop";
    control_->threadCommand.capacity = 64;
    main_->StartPlugins(true);
    while (!stopped) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    main_->PlugIns()->Stop(); // joins the plug-in's thread
    EXPECT_EQ(control_->threadCommand.result, 1);
    control_->commandThreadOnCallback = false;
}

TEST_F(ScriptBridgeTest, AQuitWhileAPluginCommandIsInFlightEndsWithoutAHang) {
    // The quit is queued before the plug-in's thread sends its command: the command runs while the host
    // waits for the start, is answered 0 once the quit closes the commands, or finds the host gone.
    main_->PlugIns()->Stop();
    control_->commandThreadOnCallback = true;
    control_->threadCommand.text = u"cmd.stop";
    control_->threadCommand.capacity = 64;
    win::PostMessage(main_->Handle(), TDVDMain::kMsgQuit, 0, 0);
    main_->StartPlugins(true);
    while (!closed_) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    EXPECT_EQ(control_->stops, 1) << "the quit stopped the plug-in, which joined its thread";
    control_->commandThreadOnCallback = false;
}

TEST_F(ScriptBridgeTest, PlayerEventsReachThePluginsThatAskedForThem) {
    std::vector<std::pair<win::WPARAM, win::LPARAM>> received;
    win::testing::TestWindow window(
        [&received](win::HWND, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
            if (msg == TOVPLUG_MSG_STATE) {
                received.emplace_back(wParam, lParam);
            }
            return win::LRESULT{0};
        });
    control_->window = window.hwnd();
    control_->groupMask = TOVPLUG_GROUP_STATE;
    ASSERT_EQ(main_->StartPlugins(true), 1);
    main_->OnPlayerEvent(kEventTime, 1000, 0, 0); // another group
    main_->OnPlayerEvent(kEventVolume, 55, 0, 0);
    while (received.empty()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    EXPECT_EQ(received, (std::vector<std::pair<win::WPARAM, win::LPARAM>>{{kEventVolume, 55}}));
}

TEST_F(ScriptBridgeTest, TheStartupScriptOfTheCurrentFolderRuns) {
    const fs::path folder = root_ / "cwd";
    fs::create_directories(folder);
    std::ofstream(folder / "Autoexec.tovcmd") << "cmd.stop\n";
    int stops = 0;
    main_->MainActions().Bind("Ac_Stop", [&stops] { ++stops; });
    const fs::path before = fs::current_path();
    fs::current_path(folder);
    EXPECT_EQ(main_->Bridge().RunAutoexecScript(), 1);
    fs::remove(folder / "Autoexec.tovcmd");
    EXPECT_EQ(main_->Bridge().RunAutoexecScript(), 16) << "no script";
    fs::current_path(before);
    EXPECT_EQ(stops, 1);
}

} // namespace
