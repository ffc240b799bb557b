#pragma once
// The player as its start-up makes it, against the real core and the built default skin, in a program
// folder of its own: the main form, the video window and the skin, with a generated clip to play.
#include "core/include/VokradOrders.h"
#include "platform/text/CodePage.h"
#include "player/dialogs/TErrMessage.h"
#include "player/model/binding/PlayerGlobals.h"
#include "player/model/controllers/IAudioInfo.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/settings/Tag_PlayerConfig.h"
#include "player/ui/TDVDMain.h"
#include "player/ui/TFullscreen.h"
#include "player/ui/TPlayerSkin.h"
#include "player/ui/TVideo.h"
#include "player/ui/skin/TSkinScript.h"
#include "tests/PlayerTestFolder.h"
#include "tests/RecordingBinding.h"

#include <QTest>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

// Play states the core answers.
constexpr uint32_t kPlaying = 2;
constexpr uint32_t kPaused = 3;
constexpr int kWaitMs = 10000;

class SkinnedPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* dist = std::getenv("TOVRIN_DIST_DIR");
        if (dist == nullptr || !fs::exists(fs::path(dist) / "System" / "vokrad.so") ||
            !fs::exists(fs::path(dist) / "Skins" / "Default.zip")) {
            GTEST_SKIP() << "the core or the default skin is not built (TOVRIN_DIST_DIR)";
        }
        folder_ = std::make_unique<PlayerTestFolder>(dist, "skin");
        root_ = folder_->Root();
        fs::create_directories(root_ / "prog" / "Skins");
        fs::copy_file(fs::path(dist) / "Skins" / "Default.zip", root_ / "prog" / "Skins" / "Default.zip");
    }

    // Starts the player as the start-up does, with the skin setting given.
    void Start(const std::string& skinSetting, bool useDefaultSkin = false) {
        if (!skinSetting.empty() || !settings_.empty()) {
            fs::create_directories(root_ / "prog" / "INI");
            std::ofstream(root_ / "prog" / "INI" / "Tovrin.ini")
                << "[Skin]\r\nFilename=" << skinSetting << "\r\n"
                << settings_;
        }
        CreatePlayerGlobals(std::make_unique<RecordingBinding>(calls_));
        main_ = std::make_unique<TDVDMain>();
        main_->SetMountTable(folder_->MountTable().string());
        main_->FormCreate();
        video_ = std::make_unique<TVideo>(*main_);
        main_->SetVideoForm(video_.get());
        fullscreen_ = std::make_unique<TFullscreen>(*main_);
        main_->SetFullscreenForm(fullscreen_.get());
        main_->InitAfterForms(useDefaultSkin);
        ASSERT_NE(main_->Skin(), nullptr);
    }

    void TearDown() override {
        if (main_) {
            main_->SetFullscreenForm(nullptr);
        }
        fullscreen_.reset();
        video_.reset();
        main_.reset();
        if (root_.empty()) {
            return;
        }
        DestroyPlayerGlobals();
        folder_.reset();
    }

    // A System folder of its own (links to the built one's files), so that a test may add files to it.
    void UseOwnSystemFolder() {
        const fs::path system = root_ / "prog" / "System";
        const fs::path built = fs::read_symlink(system);
        fs::remove(system);
        fs::create_directory(system);
        for (const auto& entry : fs::directory_iterator(built)) {
            fs::create_symlink(entry.path(), system / entry.path().filename());
        }
    }

    TSkinScript& Skin() { return main_->Skin()->Script(); }
    TPlayControl& Player() { return *main_->PlayControl(); }
    // The time of the player's last time event.
    int32_t Time() {
        int32_t title = 0, chapter = 0, time = 0, duration = 0;
        Player().GetPosition(&title, &chapter, &time, &duration);
        return time;
    }

    // The speed button of the skin bound to that command.
    THoverButton* ButtonOf(const char* command) {
        std::string argument;
        const int action = main_->Skin()->Sink().FindActionByCommand(command, argument);
        for (const auto& speed : Skin().SpeedButtons()) {
            if (action != ISkinActionSink::kNoAction && speed->Button().ActionTag() == action) {
                return &speed->Button();
            }
        }
        return nullptr;
    }

    // Plays the generated clip through a graph that renders the file and waits until it plays and its
    // duration reached the seek bar.
    void PlayClip(const char* clipName = "clip.ogg") {
        const std::u16string graph =
            u"<GRAPH version=\"1.0\"><RENDERFILE Filename=\"##TOVVAR:FileName##\"/></GRAPH>";
        TOrderGraphDescription description{};
        description.kind = 1;
        description.text = graph.c_str();
        Player().SendRecord(kOrderGraphDescription, description);
        const std::u16string clip = plat::text::AnsiToWide(std::string(MEDIA_FIXTURES) + "/" + clipName);
        Player().SetGraphVariable(u"FileName", clip.c_str());
        ASSERT_EQ(Player().Play(), 0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Player().GetPlayState() == kPlaying; }, kWaitMs));
        ASSERT_TRUE(QTest::qWaitFor([&] { return Player().GetDuration() > 0; }, kWaitMs));
        QCoreApplication::processEvents();
    }

    TErrMessage box_;
    std::unique_ptr<PlayerTestFolder> folder_;
    fs::path root_;
    std::string settings_; // more lines of "Tovrin.ini"
    std::vector<std::string> calls_;
    std::unique_ptr<TDVDMain> main_;
    std::unique_ptr<TVideo> video_;
    std::unique_ptr<TFullscreen> fullscreen_;
};
