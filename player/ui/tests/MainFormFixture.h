#pragma once
// The main form and its video window against the real core in a program folder of their own; every
// call the player makes of the core is written down, error texts go to the player's message box.
#include "platform/win/Message.h"
#include "platform/win/Window.h"
#include "player/dialogs/TErrMessage.h"
#include "player/model/binding/PlayerGlobals.h"
#include "player/ui/TCommandFrame.h"
#include "player/ui/TDVDMain.h"
#include "player/ui/TVideo.h"
#include "tests/RecordingBinding.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;
namespace win = plat::win;

class MainFormFixture : public ::testing::Test {
protected:
    void SetUp() override {
        const char* dist = std::getenv("TOVRIN_DIST_DIR");
        if (dist == nullptr || !fs::exists(fs::path(dist) / "System" / "vokrad.so")) {
            GTEST_SKIP() << "the core is not built (TOVRIN_DIST_DIR/System/vokrad.so)";
        }
        static int counter = 0;
        root_ = fs::temp_directory_path() /
                ("tovrin-main-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
        fs::create_directories(root_ / "prog" / "INI");
        fs::create_directory_symlink(fs::path(dist) / "System", root_ / "prog" / "System");
        std::ofstream(root_ / "mountinfo") << "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n";
        setenv("TOVRIN_PROGRAM_FOLDER", (root_ / "prog").c_str(), 1);
        PrepareProgramFolder(root_ / "prog");
        CreatePlayerGlobals(std::make_unique<RecordingBinding>(calls_));
        main_ = std::make_unique<TDVDMain>();
        main_->SetMountTable((root_ / "mountinfo").string());
        main_->SetOnClosed([this] { closed_ = true; });
        main_->FormCreate();
        video_ = std::make_unique<TVideo>(*main_);
        main_->SetVideoForm(video_.get());
        main_->InitAfterForms(false);
    }

    void TearDown() override {
        video_.reset();
        main_.reset();
        DestroyPlayerGlobals();
        unsetenv("TOVRIN_PROGRAM_FOLDER");
        std::error_code error;
        fs::remove_all(root_, error);
    }

    // Settings files, plug-ins and the like the test puts in place before the player starts.
    virtual void PrepareProgramFolder(const fs::path& /*prog*/) {}

    size_t IndexOf(const std::string& call) const {
        return static_cast<size_t>(std::find(calls_.begin(), calls_.end(), call) - calls_.begin());
    }

    win::LRESULT SendFrame(const std::vector<uint8_t>& frame, win::HWND sender = 0) {
        const win::COPYDATASTRUCT copy{0, static_cast<win::DWORD>(frame.size()), frame.data()};
        return win::SendMessage(main_->Handle(), win::WM_COPYDATA, sender,
                                reinterpret_cast<win::LPARAM>(&copy));
    }

    TErrMessage box_;
    fs::path root_;
    std::vector<std::string> calls_;
    std::unique_ptr<TDVDMain> main_;
    std::unique_ptr<TVideo> video_;
    bool closed_ = false;
};
