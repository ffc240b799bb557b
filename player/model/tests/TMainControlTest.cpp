#include "player/model/binding/TMainControl.h"
#include "platform/win/Message.h"
#include "platform/win/Window.h"
#include "player/model/tests/EventRecorder.h"
#include "player/model/tests/PlayerTestSupport.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

namespace {

namespace win = plat::win;
namespace fs = std::filesystem;

TEST(TMainControl, StartLoadsTheCoreAndStopUnloadsIt) {
    TProgramFolderScope folder(DistFolder());
    TPlayerGlobalsScope globals;
    {
        TMainControl control;
        EXPECT_EQ(control.Window(), 0u);
        EXPECT_EQ(control.Start(), 0);
        ASSERT_TRUE(win::IsWindow(control.Window()));
        EXPECT_EQ(win::FindWindow(TMainControl::kClassName, ""), control.Window());
        EXPECT_TRUE(SendToCore()->IsLoaded());

        // The calls without a player instance reach the core; the mouse hook is not there.
        char16_t* xml = nullptr;
        EXPECT_EQ(control.GetFilterInfo(u"no such filter", &xml), -1);
        EXPECT_EQ(control.StartMouseHook(control.Window(), 1234), 0);
        EXPECT_EQ(control.StopMouseHook(), 0);

        // A second main control reuses the class and has a window of its own.
        TMainControl second;
        EXPECT_EQ(second.Start(), 0);
        EXPECT_NE(second.Window(), control.Window());
        EXPECT_TRUE(win::GetClassInfo(TMainControl::kClassName, nullptr));

        EXPECT_EQ(control.Stop(), 0);
        EXPECT_FALSE(SendToCore()->IsLoaded());
        EXPECT_EQ(control.GetFilterInfo(u"no such filter", &xml), -1); // the missing-export answer
    }
    // The last window gone, the class is unregistered.
    EXPECT_FALSE(win::GetClassInfo(TMainControl::kClassName, nullptr));
    EXPECT_TRUE(globals.box.shown.empty());
}

TEST(TMainControl, AMissingCoreIsReportedAndTheProgramRunsOn) {
    const fs::path empty = fs::temp_directory_path() / ("player_model_no_core_" + std::to_string(::getpid()));
    fs::create_directories(empty);
    TProgramFolderScope folder(empty.string());
    TPlayerGlobalsScope globals;
    TEventRecorder listener;
    ErrorControl()->AddListener(&listener, 1, &TEventRecorder::Callback);
    TMainControl control;
    EXPECT_EQ(control.Start(), 0);
    EXPECT_EQ(control.LoadCore(), -1);
    const TRecordedEvent missing{kEventError, 0, 0, 0, u"::MCL::CC:: Unable to find the core engine"};
    EXPECT_EQ(listener.events, (std::vector{missing, missing}));
    EXPECT_EQ(control.GetMediaDuration(u"a.avi"), -1);
    EXPECT_EQ(control.Stop(), 0);
    fs::remove_all(empty);
}

TEST(TMainControl, WithoutTheBindingEverythingAnswersZero) {
    TMainControl control;
    char16_t* xml = nullptr;
    void* block = nullptr;
    EXPECT_EQ(control.LoadCore(), 0);
    for (int32_t answer :
         {control.FreeData(&block), control.GetCommonDsFilters(&xml), control.GetAllFilters(&xml),
          control.GetMediaDuration(u"a"), control.GetFilterInfo(u"f", &xml), control.SetRit(u"f", 1),
          control.ShowFilterProp(0, u"f"), control.StartMouseHook(0, 1), control.StopMouseHook(),
          control.Stop()}) {
        EXPECT_EQ(answer, 0);
    }
}

TEST(TMainControl, TheHiddenWindowAnswersAndClosesWithoutEndingTheEventLoop) {
    TPlayerGlobalsScope globals;
    TMainControl control;
    control.Start();
    const win::HWND hwnd = control.Window();
    EXPECT_EQ(win::SendMessage(hwnd, win::WM_PAINT, 0, 0), 0);
    EXPECT_EQ(win::SendMessage(hwnd, win::WM_ERASEBKGND, 0, 0), 1);
    EXPECT_EQ(win::SendMessage(hwnd, win::WM_CLOSE, 0, 0), 0);
    EXPECT_FALSE(win::IsWindow(hwnd));
    // Closing queued nothing for the thread: no quit message.
    EXPECT_EQ(win::PendingMessageCount(), 0u);
}

} // namespace
