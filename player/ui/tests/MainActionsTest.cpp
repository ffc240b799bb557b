// The main form's action list: what every action is (category, caption, shortcut, tag), which run
// and what they ask of the real core, the wheel and double-click functions on a manual clock, and the
// shortcuts of the key map while the main form stays hidden.
#include "core/include/VokradOrders.h"
#include "player/model/events/PlayerEvents.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/settings/Tag_PlayerConfig.h"
#include "player/scripting/actions/PlayerActionVocabulary.h"
#include "player/scripting/actions/ShortcutCode.h"
#include "player/scripting/actions/TActionControler.h"
#include "player/ui/TMainActions.h"
#include "player/ui/TMouseFunctions.h"
#include "player/ui/TScriptBridge.h"
#include "tests/MainFormFixture.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>

#include <map>
#include <utility>

namespace {

// Counts the runs of the actions it is bound to.
class RunRecorder {
public:
    RunRecorder(TMainActions& actions, std::initializer_list<const char*> names) {
        for (const char* name : names) {
            actions.Bind(name, [this, name] { runs_.push_back(name); });
        }
    }
    std::vector<std::string> Take() { return std::exchange(runs_, {}); }

private:
    std::vector<std::string> runs_;
};

class MainActionsTest : public ::testing::Test {
protected:
    TDVDMain main_;
};

TEST_F(MainActionsTest, EveryCommandIsThereWithItsCaptionAndCategory) {
    for (const PlayerActionEntry& entry : PlayerActionVocabulary()) {
        const std::string name = "Ac_" + std::string(entry.name);
        const QAction* action = main_.MainActions().Find(name);
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(action->text().toStdString(), entry.caption) << name;
        EXPECT_EQ(action->property(TActionControler::kCategoryProperty).toString().toStdString(),
                  entry.category);
    }
    EXPECT_EQ(main_.MainActions().Find("Ac_EnterDVDMode")->text(), "Event DVD Mode");
    EXPECT_EQ(ShortCutToShortcutCode(KeySequenceToShortCut(main_.MainActions().Find("Ac_Play")->shortcut())),
              ShortCutToShortcutCode(16449));
    EXPECT_EQ(KeySequenceToShortCut(main_.MainActions().Find("Act_ShowDebug")->shortcut()), 57412);
    EXPECT_EQ(main_.MainActions().Find("Act_GoToSeekPos")->data().toInt(), TMainActions::kInternalTag);
    EXPECT_EQ(main_.MainActions().Find("Ac_Menu_Chapter")->data().toInt(), 7);
    EXPECT_EQ(main_.MainActions()
                  .Find("Act_PlayFromDisk")
                  ->property(TActionControler::kCategoryProperty)
                  .toString(),
              "PlayMenu");
    EXPECT_EQ(main_.DVDControl().size(), 62 + 14);
}

TEST_F(MainActionsTest, ActionsWithoutAHandlerAreDisabledUntilAFormBindsOne) {
    for (const char* name : {"Ac_StepBack", "Ac_GoToPos", "Ac_Chapters", "Ac_ShowFileMan", "Ac_EnterConfig",
                             "Ac_About", "Ac_ScreenCapture", "Act_ShowDebug", "Act_SaveState"}) {
        EXPECT_FALSE(main_.MainActions().Find(name)->isEnabled()) << name;
    }
    for (const char* name : {"Ac_Stop", "Ac_GetDiskInfos", "Ac_VolumeMute", "Ac_Quit", "Act_MProVol"}) {
        EXPECT_TRUE(main_.MainActions().Find(name)->isEnabled()) << name;
    }
    RunRecorder runs(main_.MainActions(), {"Ac_About"});
    EXPECT_TRUE(main_.MainActions().Find("Ac_About")->isEnabled());
    main_.MainActions().Find("Ac_About")->trigger();
    EXPECT_EQ(runs.Take(), std::vector<std::string>{"Ac_About"});
    main_.MainActions().Bind("Ac_About", nullptr);
    EXPECT_FALSE(main_.MainActions().Find("Ac_About")->isEnabled());
}

TEST_F(MainActionsTest, WithoutDirectControlNoActionRuns) {
    RunRecorder runs(main_.MainActions(), {"Ac_Stop"});
    main_.MainActions().SetDirectControl(false);
    main_.MainActions().Find("Ac_Stop")->trigger();
    EXPECT_TRUE(runs.Take().empty());
    main_.MainActions().SetDirectControl(true);
    main_.MainActions().Find("Ac_Stop")->trigger();
    EXPECT_EQ(runs.Take().size(), 1u);
}

TEST_F(MainActionsTest, BookmarkNames) {
    const int32_t time = (3600 + 2 * 60 + 3) * 1000 + 400;
    EXPECT_EQ(TMainActions::BookmarkName(true, 4, 12, time), "Title : 4 Chapter :12  Time :  1:02:03");
    EXPECT_EQ(TMainActions::BookmarkName(false, 4, 12, time), "Time :  1:02:03");
}

TEST_F(MainActionsTest, CommandNamesFindActionsWithTheirArguments) {
    main_.Actions().BuildFromActionList(main_.DVDControl());
    std::string arguments;
    EXPECT_EQ(main_.Bridge().FindActionByCommand("Play(1, 2)", &arguments),
              main_.MainActions().Find("Ac_Play"));
    EXPECT_EQ(main_.Bridge().FindActionByCommand("play", nullptr), main_.MainActions().Find("Ac_Play"));
    EXPECT_EQ(main_.Bridge().FindActionByCommand("GoToSeekPos", nullptr), nullptr) << "not a command";
    EXPECT_EQ(main_.Bridge().ScriptMainWindow().FindActionByCommand("PAUSE"), "Ac_Pause");
    EXPECT_EQ(main_.Bridge().ScriptMainWindow().FindActionByCommand("AC_PAUSE"), std::nullopt)
        << "commands are named without the actions' prefix";
    EXPECT_EQ(main_.Bridge().ScriptMainWindow().FindActionByCommand("nothing"), std::nullopt);
}

// One wheel step: its direction and its time on the manual clock.
struct WheelStep {
    bool up;
    int64_t ms;
};

struct WheelRow {
    int32_t function;
    std::vector<WheelStep> steps;
    std::vector<std::string> runs;
};

TEST_F(MainActionsTest, WheelFunctionsAreThrottledPerDirection) {
    const std::vector<WheelRow> rows = {
        {0, {{true, 0}, {true, 300}}, {"Ac_VolumeMore", "Ac_VolumeMore"}},
        {2, {{true, 0}, {true, 300}}, {"Ac_FastForward"}},
        {2, {{true, 0}, {true, 500}, {true, 501}}, {"Ac_FastForward", "Ac_FastForward"}},
        {1,
         {{true, 0}, {false, 100}, {true, 200}, {false, 700}},
         {"Ac_NextChapter", "Ac_PrevChapter", "Ac_PrevChapter"}},
        {3, {{false, 0}, {false, 400}, {false, 900}}, {"Ac_JumpBackward", "Ac_JumpBackward"}},
        {7, {{true, 0}}, {}},
    };
    RunRecorder runs(main_.MainActions(),
                     {"Ac_VolumeMore", "Ac_VolumeLess", "Ac_NextChapter", "Ac_PrevChapter", "Ac_FastForward",
                      "Ac_FastBack", "Ac_JumpForward", "Ac_JumpBackward"});
    main_.MainActions().SetAllowed("Ac_NextChapter", true);
    main_.MainActions().SetAllowed("Ac_PrevChapter", true);
    main_.MainActions().SetAllowed("Ac_FastForward", true);
    main_.MainActions().SetAllowed("Ac_FastBack", true);
    for (const WheelRow& row : rows) {
        int64_t now = 10'000;
        TMouseFunctions mouse(
            main_.MainActions(), [] { return false; }, [&now] { return now; });
        PlayerConfig().MouseWheelFunction = row.function;
        for (const WheelStep& step : row.steps) {
            now = 10'000 + step.ms;
            step.up ? mouse.WheelUp() : mouse.WheelDown();
        }
        EXPECT_EQ(runs.Take(), row.runs) << "function " << row.function;
    }
    PlayerConfig().MouseWheelFunction = 0;
    TMouseFunctions closing(main_.MainActions(), [] { return true; });
    closing.WheelUp();
    EXPECT_TRUE(runs.Take().empty()) << "nothing while the main form closes";
}

TEST_F(MainActionsTest, DoubleClickFunctions) {
    const std::map<int32_t, std::vector<std::string>> rows = {
        {0, {"Ac_BringToFront"}}, {1, {"Ac_SwitchFullScreen"}}, {2, {"Ac_Pause"}}, {3, {}}, {-1, {}}};
    RunRecorder runs(main_.MainActions(), {"Ac_BringToFront", "Ac_SwitchFullScreen", "Ac_Pause"});
    main_.MainActions().SetAllowed("Ac_Pause", true);
    for (const auto& [function, expected] : rows) {
        PlayerConfig().DoubleClickFunction = function;
        main_.RunDoubleClickFunction();
        EXPECT_EQ(runs.Take(), expected) << "function " << function;
    }
    PlayerConfig().DoubleClickFunction = 0;
}

// The actions against the real core.
class MainActionsCoreTest : public MainFormFixture {
protected:
    void PrepareProgramFolder(const fs::path& prog) override {
        std::ofstream(prog / "INI" / "Keys.cfg")
            << "<COMMAND>\r\n  <VolumeMute><Shortcut>" << (0x4D | ShortcutFlag::Ctrl)
            << "</Shortcut><Gesture>0</Gesture><Remote></Remote></VolumeMute>\r\n"
            << "  "
               "<Stop><Shortcut>83</Shortcut><Gesture>0</Gesture><Remote></Remote></Stop>\r\n</COMMAND>\r\n";
    }

    void AllowAll() {
        main_->PlayControl()->Controllers().UserOperations->Set(0);
        main_->OnPlayerEvent(kEventUserOperations, 0, 0, 0);
    }

    static std::string Order(uint32_t order) { return "order " + std::to_string(order); }
};

TEST_F(MainActionsCoreTest, PlaybackActionsSendTheirOrders) {
    struct Row {
        const char* action;
        uint32_t order;
    };
    const Row rows[] = {
        {"Ac_Pause", kOrderPauseToggle},         {"Ac_Stop", kOrderStop},
        {"Ac_StepForward", kOrderFrameStep},     {"Ac_JumpForward", kOrderRelativeSeek},
        {"Ac_JumpBackward", kOrderRelativeSeek}, {"Act_GoToSeekPos", kOrderPlayAtTime},
        {"Ac_Menu_Title", kOrderDvdMenu},        {"Ac_Menu_Select", kOrderDvdButton},
    };
    main_->SwitchToDiscMode();
    for (const Row& row : rows) {
        AllowAll(); // a stop prohibits every operation again
        calls_.clear();
        main_->MainActions().Find(row.action)->trigger();
        EXPECT_LT(IndexOf(Order(row.order)), calls_.size()) << row.action;
    }
    calls_.clear();
    main_->MainActions().Bt_StepBackwardClick();
    EXPECT_LT(IndexOf(Order(kOrderFrameStep)), calls_.size());
}

TEST_F(MainActionsCoreTest, TheWheelAndTheDoubleClickOnTheVideoRunTheirFunctions) {
    QWidget* panel = video_->findChild<QWidget*>("Pn_Video");
    ASSERT_NE(panel, nullptr);
    PlayerConfig().MouseWheelFunction = 3;
    PlayerConfig().DoubleClickFunction = 2;
    AllowAll();
    calls_.clear();
    const QPointF inside(10, 10);
    // Sent to the window: Qt passes only the system's own wheel events on from the panel.
    QWheelEvent wheel(inside, video_->mapToGlobal(inside), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(video_.get(), &wheel);
    EXPECT_LT(IndexOf(Order(kOrderRelativeSeek)), calls_.size()) << "the wheel jumps back";
    QTest::mouseDClick(panel, Qt::LeftButton, {}, inside.toPoint());
    EXPECT_LT(IndexOf(Order(kOrderPauseToggle)), calls_.size()) << "the double click pauses";
    PlayerConfig().MouseWheelFunction = 0;
    PlayerConfig().DoubleClickFunction = 0;
}

TEST_F(MainActionsCoreTest, VideoStayOnTopFollowsItsTickExceptInTheScreensCorner) {
    QAction* onTop = main_->MainActions().Find("Ac_VideoOnTop");
    onTop->trigger();
    EXPECT_TRUE(onTop->isChecked());
    EXPECT_TRUE(video_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    onTop->trigger();
    EXPECT_FALSE(video_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    const QRect screen = video_->screen()->geometry();
    video_->move(screen.right() - video_->frameGeometry().width() + 1,
                 screen.bottom() - video_->frameGeometry().height() + 1);
    ASSERT_EQ(video_->frameGeometry().bottomRight(), screen.bottomRight());
    onTop->trigger();
    EXPECT_TRUE(onTop->isChecked());
    EXPECT_FALSE(video_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(MainActionsCoreTest, CloseFormClosesTheActiveWindow) {
    QWidget dialog;
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    main_->MainActions().Find("Ac_CloseForm")->trigger();
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(MainActionsCoreTest, SubtitleOffsetGrowsBySteps) {
    for (int i = 0; i < 3; ++i) {
        main_->MainActions().Find("Ac_SubOffsetAdd")->trigger();
    }
    EXPECT_EQ(main_->MainActions().SubtitleOffset(), 150);
    main_->MainActions().Find("Ac_SubOffsetMinus")->trigger();
    EXPECT_EQ(main_->MainActions().SubtitleOffset(), 100);
}

TEST_F(MainActionsCoreTest, NextChapterAtTheLastQueueEntryStops) {
    main_->SwitchToFileMode();
    main_->EnqueueFile((root_ / "missing.avi").string());
    main_->PlayQueue().SetCurrent(0);
    AllowAll();
    calls_.clear();
    main_->MainActions().Find("Ac_NextChapter")->trigger();
    EXPECT_LT(IndexOf(Order(kOrderStop)), calls_.size());
    EXPECT_EQ(IndexOf(Order(kOrderPlay)), calls_.size()) << "nothing further to play";
}

TEST_F(MainActionsCoreTest, KeyMapShortcutsRunFromAnyWindowWhileTheMainFormIsHidden) {
    RunRecorder runs(main_->MainActions(), {"Ac_VolumeMute"});
    QWidget other;
    other.show();
    ASSERT_FALSE(main_->isVisible());
    QTest::keyClick(video_.get(), Qt::Key_M, Qt::ControlModifier);
    QTest::keyClick(&other, Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(runs.Take().size(), 2u);
    QTest::keyClick(&other, Qt::Key_M);
    EXPECT_TRUE(runs.Take().empty()) << "M alone is no shortcut";
    main_->DisableShortcuts();
    QTest::keyClick(video_.get(), Qt::Key_M, Qt::ControlModifier);
    EXPECT_TRUE(runs.Take().empty()) << "a dialog that takes keys is open";
    main_->EnableShortcuts();
    QTest::keyClick(video_.get(), Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(runs.Take().size(), 1u);
    calls_.clear();
    QTest::keyClick(video_.get(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(IndexOf(Order(kOrderPlay)), calls_.size()) << "the key map leaves Play without a shortcut";
}

// Gives the widget the keyboard focus in its window, which becomes the active one.
void Focus(QWidget& widget) {
    QWidget* window = widget.window();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    widget.setFocus();
    ASSERT_EQ(QApplication::focusWidget(), &widget);
}

TEST_F(MainActionsCoreTest, TheKeyMapStandsBackWhileTheUserTypesInADialogAFieldOrAList) {
    RunRecorder runs(main_->MainActions(), {"Ac_VolumeMute", "Ac_Stop"});
    box_.hide(); // it reported the missing skin and took the keyboard, as a user would close it
    QWidget plain;
    plain.setFocusPolicy(Qt::StrongFocus);
    QWidget fieldWindow;
    auto* field = new QLineEdit(&fieldWindow);
    QWidget listWindow;
    auto* list = new QListWidget(&listWindow);
    list->addItems({"one", "two"});
    QDialog box;
    auto* boxButton = new QPushButton("No", &box);
    QDialog chooser;
    chooser.setWindowModality(Qt::ApplicationModal);
    auto* chooserName = new QLineEdit(&chooser);
    struct Case {
        const char* where;
        QWidget* focus;
        bool keyMapActs;
    };
    const Case cases[] = {
        {"a plain window", &plain, true},
        {"an edit field", field, false},
        {"a list", list, false},
        {"a button of a dialog", boxButton, false},
        {"the name field of a modal chooser", chooserName, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        Focus(*c.focus);
        QTest::keyClick(c.focus, Qt::Key_S);
        QTest::keyClick(c.focus, Qt::Key_M, Qt::ControlModifier);
        EXPECT_EQ(runs.Take().size(), c.keyMapActs ? 2u : 0u);
        c.focus->window()->hide();
    }
    EXPECT_EQ(field->text(), "s") << "the key went where the user typed";
    EXPECT_EQ(chooserName->text(), "s");
    // A modal dialog keeps the key map back whatever window a key is sent to.
    chooser.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &chooser);
    QTest::keyClick(video_.get(), Qt::Key_S);
    EXPECT_TRUE(runs.Take().empty());
}

} // namespace
