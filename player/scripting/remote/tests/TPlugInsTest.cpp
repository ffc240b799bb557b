#include "player/scripting/remote/TPlugIns.h"

#include "platform/win/Message.h"
#include "platform/win/Window.h"
#include "platform/win/tests/TestWindow.h"
#include "player/scripting/remote/PluginHostCallback.h"
#include "player/scripting/remote/tests/TestPluginControl.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

namespace fs = std::filesystem;
using plat::win::HWND;
using plat::win::LPARAM;
using plat::win::UINT;
using plat::win::WPARAM;

namespace {

// Ends the test program when a scenario hangs, so a deadlock fails at once instead of never.
class Watchdog {
public:
    Watchdog()
        : thread_([this] {
              std::unique_lock lock(lock_);
              if (!done_changed_.wait_for(lock, std::chrono::seconds(30), [this] { return done_; })) {
                  std::fprintf(stderr, "watchdog: the scenario hung\n");
                  std::abort();
              }
          }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(lock_);
            done_ = true;
        }
        done_changed_.notify_all();
        thread_.join();
    }

private:
    std::mutex lock_;
    std::condition_variable done_changed_;
    bool done_ = false;
    std::thread thread_;
};

struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Received&) const = default;
};

class TPlugInsTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tovplugXXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        MakeHost();
    }

    void MakeHost() {
        host_ = TPlugIns::Create();
        host_->SetMainWindow(mainWindow_.hwnd());
        host_->SetCommandRunner(
            [this](std::u16string_view command, std::size_t& consumed, std::u16string& answer) {
                ++runs_;
                commands_.emplace_back(command);
                consumed = command.size();
                answer = answer_;
                if (onRun_) {
                    onRun_();
                }
                return result_;
            });
    }

    void TearDown() override {
        if (host_) {
            host_->SetQuitting();
            host_->Stop();
            host_.reset();
        }
        for (void* handle : handles_) {
            dlclose(handle);
        }
        fs::remove_all(folder_);
    }

    // Copies a built test plug-in into the folder under `name` and opens it, so the test reaches the
    // same instance the host will load.
    TestPluginControl* AddPlugin(const char* built, const std::string& name) {
        const fs::path path = fs::path(folder_) / name;
        fs::copy_file(built, path);
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        EXPECT_NE(handle, nullptr) << dlerror();
        handles_.push_back(handle);
        sends_[name] = reinterpret_cast<TestPluginSendFn>(dlsym(handle, "tovtest_Send"));
        return reinterpret_cast<TestPluginControlFn>(dlsym(handle, "tovtest_Control"))();
    }

    std::string WriteSettings(const std::string& text) {
        const std::string path = folder_ + "/Tovrin.ini";
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    int32_t ScanAndStart(const std::string& settings) {
        host_->Scan(folder_.c_str());
        return host_->Start(WriteSettings(settings).c_str());
    }

    // Delivers the main thread's messages until `done` holds.
    template <typename Done> void PumpUntil(Done done) {
        while (!done()) {
            plat::win::WaitMessage();
            plat::win::DispatchPending();
        }
    }

    Watchdog watchdog_;
    std::string folder_;
    std::vector<void*> handles_;
    std::map<std::string, TestPluginSendFn> sends_;
    std::shared_ptr<TPlugIns> host_;
    int runs_ = 0;
    std::vector<std::u16string> commands_;
    std::u16string answer_ = std::u16string(20, u'x');
    int32_t result_ = 1;
    std::function<void()> onRun_;
    plat::win::testing::TestWindow mainWindow_{[this](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == TPlugIns::kCommandMessage) {
            host_->RunPendingCommand();
            return plat::win::LRESULT{0};
        }
        return plat::win::DefWindowProc(hwnd, msg, wParam, lParam);
    }};
};

TEST_F(TPlugInsTest, ScanListsOnlyPluginLibrariesUnderTheirBaseNames) {
    AddPlugin(TESTPLUG_FULL, "plugA.so");
    AddPlugin(TESTPLUG_NOCALLBACK, "PLUGb.so");
    AddPlugin(TESTPLUG_FULL, "other.so");
    std::ofstream(folder_ + "/plug.txt") << "not a library";
    fs::create_directory(folder_ + "/plugdir.so");

    ASSERT_EQ(host_->Scan(folder_.c_str()), 2);
    std::vector<std::pair<std::string, std::string>> listed;
    for (TPlugInsItems* item = host_->First(); item != nullptr; item = host_->Next()) {
        listed.emplace_back(item->BaseName(), item->Description());
        EXPECT_FALSE(item->Loaded());
    }
    const std::vector<std::pair<std::string, std::string>> expected = {{"PLUGb", ""},
                                                                       {"plugA", "Test remote \xc3\xa9"}};
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(host_->Scan(nullptr), -1);
    EXPECT_EQ(host_->Scan((folder_ + "/missing").c_str()), 0);
}

TEST_F(TPlugInsTest, PluginFolderIsFoundBelowTheProgramFolderWithoutRegardToCase) {
    const char* before = std::getenv("TOVRIN_PROGRAM_FOLDER");
    const std::string kept = before != nullptr ? before : "";
    ::setenv("TOVRIN_PROGRAM_FOLDER", folder_.c_str(), 1);
    EXPECT_EQ(TPlugIns::ProgramPlugInsFolder(), folder_ + "/Plug-ins");
    fs::create_directory(folder_ + "/PLUG-INS");
    EXPECT_EQ(TPlugIns::ProgramPlugInsFolder(), folder_ + "/PLUG-INS");
    if (before != nullptr) {
        ::setenv("TOVRIN_PROGRAM_FOLDER", kept.c_str(), 1);
    } else {
        ::unsetenv("TOVRIN_PROGRAM_FOLDER");
    }
}

TEST_F(TPlugInsTest, OnlyTheValueOneEnablesAndBothLifeExportsAreRequired) {
    struct Case {
        const char* built;
        const char* name;
        const char* setting; // nullptr: no key
        bool loaded;
    };
    const Case cases[] = {
        {TESTPLUG_FULL, "plug1.so", "1", true},       {TESTPLUG_FULL, "plug2.so", "2", false},
        {TESTPLUG_FULL, "plug3.so", "0", false},      {TESTPLUG_FULL, "plug4.so", "yes", false},
        {TESTPLUG_FULL, "plug5.so", nullptr, false},  {TESTPLUG_FULL, "plug6.so", " 1 ", true},
        {TESTPLUG_NOSTOP, "plug7.so", "1", false},    {TESTPLUG_NOSTART, "plug8.so", "1", false},
        {TESTPLUG_NOCALLBACK, "plug9.so", "1", true},
    };
    std::string settings = "[Other]\nplug2=1\n[PlugIns]\n";
    std::vector<TestPluginControl*> controls;
    for (const Case& c : cases) {
        controls.push_back(AddPlugin(c.built, c.name));
        if (c.setting != nullptr) {
            settings += std::string(fs::path(c.name).stem()) + "=" + c.setting + "\n";
        }
    }
    EXPECT_EQ(ScanAndStart(settings), 3);
    std::size_t index = 0;
    for (TPlugInsItems* item = host_->First(); item != nullptr; item = host_->Next(), ++index) {
        EXPECT_EQ(item->Loaded(), cases[index].loaded) << cases[index].name;
        EXPECT_EQ(controls[index]->starts, cases[index].loaded ? 1 : 0) << cases[index].name;
    }
    EXPECT_EQ(controls[0]->startArgument, 0);
    EXPECT_EQ(controls[0]->windowSeenBefore, 0u);
    EXPECT_EQ(controls[0]->maskSeenBefore, 0u);

    EXPECT_EQ(host_->Stop(), 3);
    EXPECT_EQ(controls[0]->stops, 1);
    EXPECT_EQ(controls[0]->callbackCalls, 2); // bound, then taken back before the stop
    EXPECT_EQ(controls[8]->stops, 1);
    EXPECT_EQ(host_->Start(nullptr), 0);
}

TEST_F(TPlugInsTest, PlayerEventsReachThePluginsOfTheirGroup) {
    std::map<HWND, std::vector<Received>> received;
    auto recorder = [&received](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg >= TOVPLUG_MSG_POSITION && msg <= TOVPLUG_MSG_PROFILE) {
            received[hwnd].push_back({msg, wParam, lParam});
        }
        return plat::win::LRESULT{0};
    };
    plat::win::testing::TestWindow first(recorder);
    plat::win::testing::TestWindow second(recorder);
    TestPluginControl* a = AddPlugin(TESTPLUG_FULL, "plugA.so");
    TestPluginControl* b = AddPlugin(TESTPLUG_FULL, "plugB.so");
    a->window = first.hwnd();
    a->groupMask = TOVPLUG_GROUP_NAVIGATION;
    b->window = second.hwnd();
    b->groupMask = TOVPLUG_GROUP_POSITION | TOVPLUG_GROUP_NAVIGATION | TOVPLUG_GROUP_PROFILE | 0x30;
    ASSERT_EQ(ScanAndStart("[PlugIns]\nplugA=1\nplugB=1\n"), 2);

    EXPECT_EQ(host_->DispatchPlayerEvent(4, 3, 2, 0), 2);
    EXPECT_EQ(host_->DispatchPlayerEvent(6, 1, 0, 0), 0);
    EXPECT_EQ(host_->DispatchPlayerEvent(1, 1500, 25, 0), 1);
    EXPECT_EQ(host_->DispatchPlayerEvent(39, 1, 0, 0), 1);
    EXPECT_EQ(host_->DispatchPlayerEvent(32, 1, 0, 0), 0);
    plat::win::DispatchPending();
    EXPECT_EQ(received[first.hwnd()], (std::vector<Received>{{2028, 4, 0x20003}}));
    EXPECT_EQ(received[second.hwnd()],
              (std::vector<Received>{{2028, 4, 0x20003}, {2025, 1, 1500}, {2029, 1, 0}}));

    host_->Stop();
    EXPECT_EQ(host_->DispatchPlayerEvent(4, 3, 2, 0), 0);
}

TEST_F(TPlugInsTest, ThreadedCommandGetsItsAnswerCutInsideItsBuffer) {
    TestPluginControl* control = AddPlugin(TESTPLUG_FULL, "plugA.so");
    control->commandThreadOnCallback = true;
    control->threadCommand.text = u"volume(50)";
    control->threadCommand.capacity = 16;
    control->threadCommand.answer.fill(u'#');
    result_ = 7;
    ASSERT_EQ(ScanAndStart("[PlugIns]\nplugA=1\n"), 1);
    PumpUntil([this] { return runs_ > 0; }); // the main window or the start runs it
    host_->Stop();                           // joins the plug-in's thread
    const TestPluginCommand& sent = control->threadCommand;
    EXPECT_EQ(commands_, std::vector<std::u16string>{u"volume(50)"});
    EXPECT_EQ(sent.result, 7);
    EXPECT_EQ(sent.answerSize, 16);
    EXPECT_EQ(std::u16string(sent.answer.data()), std::u16string(7, u'x'));
    EXPECT_EQ(sent.answer[8], u'#');
    EXPECT_EQ(sent.consumed, 10);
}

TEST_F(TPlugInsTest, CommandFromInsideSetCallbackRunsWhileStarting) {
    TestPluginControl* control = AddPlugin(TESTPLUG_FULL, "plugA.so");
    control->commandInSetCallback = true;
    control->setCallbackCommand.text = u"play";
    control->setCallbackCommand.capacity = 128;
    answer_ = u"ok";
    ASSERT_EQ(ScanAndStart("[PlugIns]\nplugA=1\n"), 1);
    EXPECT_EQ(control->setCallbackCommand.result, 1);
    EXPECT_EQ(control->setCallbackCommand.answerSize, 6);
    EXPECT_EQ(std::u16string(control->setCallbackCommand.answer.data()), u"ok");
}

// A command waits for the main thread, which does not run it; quitting, or stopping alone, answers
// it with 0 and the plug-in's thread goes on.
TEST_F(TPlugInsTest, QuittingOrStoppingAnswersThePendingCommandWithZero) {
    for (const bool quit : {true, false}) {
        SCOPED_TRACE(quit ? "quit" : "stop");
        MakeHost();
        const std::string name = quit ? "plugQ.so" : "plugS.so";
        AddPlugin(TESTPLUG_FULL, name);
        ASSERT_EQ(ScanAndStart("[PlugIns]\nplugQ=1\nplugS=1\n"), quit ? 1 : 2);
        TestPluginCommand command;
        command.text = u"stop";
        command.capacity = 16;
        std::thread pluginThread([&] { command.result = sends_[name](&command); });
        plat::win::WaitMessage(); // the command is posted
        if (quit) {
            host_->SetQuitting();
        }
        EXPECT_EQ(host_->Stop(), quit ? 1 : 2);
        pluginThread.join();
        EXPECT_EQ(command.result, 0);
        plat::win::DispatchPending();
        EXPECT_EQ(runs_, 0);
        EXPECT_TRUE(host_->StalledPlugIn().empty());
    }
}

TEST_F(TPlugInsTest, CommandThatQuitsThePlayerDoesNotWaitForItself) {
    TestPluginControl* control = AddPlugin(TESTPLUG_FULL, "plugA.so");
    control->commandThreadOnCallback = true;
    control->threadCommand.text = u"cmd.Quit";
    int32_t stopped = -1;
    onRun_ = [this, &stopped] {
        host_->SetQuitting();
        stopped = host_->Stop();
    };
    ASSERT_EQ(ScanAndStart("[PlugIns]\nplugA=1\n"), 1);
    PumpUntil([this] { return runs_ > 0; }); // the main window or the start runs it
    EXPECT_EQ(stopped, 1);
    EXPECT_EQ(control->threadCommand.result, 0);
    EXPECT_EQ(control->stops, 1);
}

TEST_F(TPlugInsTest, CommandAfterQuittingAnswersZeroAndPostsNothing) {
    AddPlugin(TESTPLUG_FULL, "plugA.so");
    ASSERT_EQ(ScanAndStart("[PlugIns]\nplugA=1\n"), 1);
    host_->SetQuitting();
    TestPluginCommand command;
    command.text = u"play";
    command.capacity = 16;
    EXPECT_EQ(sends_["plugA.so"](&command), 0);
    EXPECT_EQ(plat::win::PendingMessageCount(), 0u);
    EXPECT_EQ(runs_, 0);
}

TEST_F(TPlugInsTest, HostCallbackRefusesNullContextTextAndLength) {
    AddPlugin(TESTPLUG_FULL, "plugA.so");
    ASSERT_EQ(ScanAndStart("[PlugIns]\nplugA=1\n"), 1);
    TPlugInsItems* item = host_->First();
    EXPECT_EQ(PluginHostCallback(nullptr, u"play", 4, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(PluginHostCallback(item, nullptr, 4, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(PluginHostCallback(item, u"play", -1, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(plat::win::PendingMessageCount(), 0u);
}

TEST_F(TPlugInsTest, PluginThatNeverStopsIsReportedAndLeftLoaded) {
    TestPluginControl* control = AddPlugin(TESTPLUG_FULL, "plugA.so");
    control->stopBlocks = true;
    host_->SetStallTimeout(std::chrono::milliseconds(100));
    ASSERT_EQ(ScanAndStart("[PlugIns]\nplugA=1\n"), 1);
    EXPECT_EQ(host_->Stop(), 0);
    EXPECT_EQ(host_->StalledPlugIn(), "plugA");
    EXPECT_EQ(host_->Start((folder_ + "/Tovrin.ini").c_str()), 0);
    EXPECT_EQ(host_->Scan(folder_.c_str()), -1);
    EXPECT_FALSE(host_->Lock()); // the stuck worker holds it

    // The player goes on and drops the host; the worker keeps what it uses until the plug-in returns.
    std::weak_ptr<TPlugIns> left = host_;
    host_.reset();
    EXPECT_FALSE(left.expired());
    {
        std::lock_guard lock(control->releaseLock);
        control->stopReleased = true;
    }
    control->released.notify_all();
    {
        std::unique_lock lock(control->releaseLock);
        control->released.wait(lock, [control] { return control->stopReturned; });
    }
    while (left.lock() != nullptr) { // the worker drops the host as it ends
        std::this_thread::yield();
    }
}

TEST_F(TPlugInsTest, PropertiesDialogOfAPluginThatIsNotLoaded) {
    TestPluginControl* control = AddPlugin(TESTPLUG_FULL, "plugA.so");
    AddPlugin(TESTPLUG_NOCALLBACK, "plugB.so");
    ASSERT_EQ(host_->Scan(folder_.c_str()), 2);
    TPlugInsItems* full = host_->First();
    TPlugInsItems* without = host_->Next();
    EXPECT_TRUE(full->ShowProperties(77));
    EXPECT_EQ(control->propertiesCalls, 1);
    EXPECT_EQ(control->propertiesParent, 77u);
    EXPECT_EQ(control->propertiesReserved, 0);
    EXPECT_EQ(control->starts, 0);
    control->propertiesResult = 0;
    EXPECT_FALSE(full->ShowProperties(77));
    EXPECT_FALSE(without->ShowProperties(77));

    ASSERT_EQ(host_->Start(WriteSettings("[PlugIns]\nplugA=1\nplugB=1\n").c_str()), 2);
    control->propertiesResult = 1;
    EXPECT_TRUE(full->ShowProperties(5));
    EXPECT_FALSE(without->ShowProperties(5));
}

} // namespace
