#pragma once
// The main form and its video window against the real core in a program folder of their own; every
// call the player makes of the core is written down, error texts go to the player's message box.
#include "platform/win/Message.h"
#include "platform/win/Window.h"
#include "player/dialogs/TErrMessage.h"
#include "player/model/binding/PlayerGlobals.h"
#include "player/model/binding/TCommandFrame.h"
#include "player/ui/TDVDMain.h"
#include "player/ui/TVideo.h"
#include "tests/PlayerTestFolder.h"
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
        folder_ = std::make_unique<PlayerTestFolder>(dist, "main");
        root_ = folder_->Root();
        fs::create_directories(root_ / "prog" / "INI");
        PrepareProgramFolder(root_ / "prog");
        CreatePlayerGlobals(std::make_unique<RecordingBinding>(calls_));
        main_ = std::make_unique<TDVDMain>();
        main_->SetMountTable(folder_->MountTable().string());
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
        folder_.reset();
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
    std::unique_ptr<PlayerTestFolder> folder_;
    fs::path root_;
    std::vector<std::string> calls_;
    std::unique_ptr<TDVDMain> main_;
    std::unique_ptr<TVideo> video_;
    bool closed_ = false;
};
