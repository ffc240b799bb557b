// The built plug-in loaded by the player's remote plug-in host, with a fake receiver on a
// pseudo-terminal and a main window that maps command texts to actions and records them.
#include "platform/win/Message.h"
#include "platform/win/Window.h"
#include "platform/win/tests/TestWindow.h"
#include "player/scripting/remote/TPlugIns.h"
#include "plugins/remote/orvik/tests/TempFolder.h"
#include "plugins/remote/orvik/tests/ThreadedIrman.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace orvik {
namespace {

namespace fs = std::filesystem;
using plat::win::HWND;
using plat::win::LPARAM;
using plat::win::UINT;
using plat::win::WPARAM;

class OrvikHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!Receiver.IsValid()) {
            GTEST_SKIP() << "this system gives no pseudo-terminals";
        }
        fs::copy_file(ORVIK_PLUGIN, PlugIns.Path / "plug_orvik.so");
        std::ofstream(PlugIns.Name() + "plug_orvik.cfg")
            << "<CONFIG><IRMANCONFIG><DEVICE>" << Receiver.SlavePath() << "</DEVICE></IRMANCONFIG></CONFIG>";
        std::ofstream(PlugIns.Name() + "Tovrin.ini") << "[PlugIns]\nplug_orvik=1\n";
        Host = TPlugIns::Create();
        Host->SetMainWindow(MainWindow.hwnd());
        Host->SetCommandRunner([this](std::u16string_view command, std::size_t& consumed, std::u16string&) {
            consumed = command.size();
            const auto action = Bindings.find(std::u16string(command));
            Actions.push_back(action != Bindings.end() ? action->second : "none");
            return int32_t{1};
        });
        ASSERT_EQ(Host->Scan(PlugIns.Name().c_str()), 1);
    }

    void TearDown() override {
        if (Host) {
            Host->SetQuitting();
            Host->Stop();
        }
    }

    // True while the plug-in's library is mapped in the process.
    bool PluginLoaded() {
        void* handle = dlopen((PlugIns.Name() + "plug_orvik.so").c_str(), RTLD_LAZY | RTLD_NOLOAD);
        if (handle != nullptr) {
            dlclose(handle);
        }
        return handle != nullptr;
    }

    testing::TempFolder PlugIns;
    testing::ThreadedIrman Receiver;
    std::shared_ptr<TPlugIns> Host;
    std::map<std::u16string, std::string> Bindings = {{u"cmd.ir(\"IRM49521234-56789ABC\")", "Play"}};
    std::vector<std::string> Actions;
    plat::win::testing::TestWindow MainWindow{[this](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == TPlugIns::kCommandMessage) {
            Host->RunPendingCommand();
            return plat::win::LRESULT{0};
        }
        return plat::win::DefWindowProc(hwnd, msg, wParam, lParam);
    }};
};

TEST_F(OrvikHostTest, ACodeFromTheReceiverRunsTheBoundAction) {
    ASSERT_EQ(Host->Start((PlugIns.Name() + "Tovrin.ini").c_str()), 1);
    ASSERT_TRUE(Receiver.Press({0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC}));
    while (Actions.empty()) {
        plat::win::WaitMessage();
        plat::win::DispatchPending();
    }
    EXPECT_EQ(std::vector<std::string>{"Play"}, Actions);
    EXPECT_EQ(Host->Stop(), 1);
    EXPECT_FALSE(PluginLoaded());
}

TEST_F(OrvikHostTest, QuittingWithACodeInFlightFinishes) {
    ASSERT_EQ(Host->Start((PlugIns.Name() + "Tovrin.ini").c_str()), 1);
    ASSERT_TRUE(Receiver.Press({0, 0, 0, 0, 0, 1}));
    // The command's message has arrived; the player quits instead of running it.
    plat::win::WaitMessage();
    Host->SetQuitting();
    EXPECT_EQ(Host->Stop(), 1);
    EXPECT_TRUE(Host->StalledPlugIn().empty());
    EXPECT_FALSE(PluginLoaded()) << "the reader had ended, so the library could go";
    plat::win::DispatchPending();
    EXPECT_TRUE(Actions.empty());
}

} // namespace
} // namespace orvik
