// The video controller's orders byte for byte, the apply flag of the aspect settings, the per-disc
// file, and the display-mode switch against recorded display modes.
#include "player/model/controllers/TVideoControl.h"
#include "platform/testing/FakeDisplayModes.h"
#include "player/model/controllers/TScreenResolution.h"
#include "player/model/tests/controllers/ControllerTestSupport.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using plat::display::DisplayMode;
using plat::display::FakeDisplayModes;
using Calls = std::vector<std::string>;

class TVideoControlTest : public TControllerTest {
protected:
    TVideoControlTest() {
        video_->SetOSDControl(&osd_);
        core_->TakeOrders();
    }

    TOrderVideoLayout SentLayout() {
        const auto orders = core_->TakeOrders();
        EXPECT_FALSE(orders.empty());
        TOrderVideoLayout layout{};
        if (!orders.empty() && orders.back().order == kOrderVideoLayout) {
            std::memcpy(&layout, orders.back().record.data(), sizeof(layout));
        }
        return layout;
    }

    FakeDisplayModes modes_;
    std::unique_ptr<TVideoControl> video_ = std::make_unique<TVideoControl>(hub_, &modes_);
};

TEST_F(TVideoControlTest, WindowsGoToTheCoreTogetherAndAreTakenBackAtTheEnd) {
    video_->SetVideoWindow(7);
    EXPECT_EQ(OnlyOrder().record, Request(TOrderParentWindows{{}, 7, 0}));
    video_->SetFullScreenWindow(9);
    EXPECT_EQ(OnlyOrder().record, Request(TOrderParentWindows{{}, 7, 9}));
    video_.reset();
    const auto orders = core_->TakeOrders();
    ASSERT_EQ(orders.size(), 2u);
    EXPECT_EQ(orders[0].record, Request(TOrderParentWindows{{}, 0, 9}));
    EXPECT_EQ(orders[1].record, Request(TOrderParentWindows{{}, 0, 0}));
}

TEST_F(TVideoControlTest, RefreshShowHideAndTheColourKey) {
    EXPECT_EQ(video_->ColorKey(), 0x101010u);
    EXPECT_EQ(video_->Refresh(false), 0);
    EXPECT_EQ(core_->TakeOrderNumbers(), std::vector<uint32_t>{kOrderRefreshPosition});

    EXPECT_EQ(video_->SetColorKey(0x0000FF, true), 0);
    EXPECT_EQ(OnlyOrder().record, Request(TOrderColourKey{{}, 0x0000FF}));
    EXPECT_EQ(video_->ColorKey(), 0x101010u) << "a temporary key is not kept";
    video_->SetColorKey(0x00FF00, false);
    core_->TakeOrders();

    video_->Show();
    EXPECT_TRUE(video_->IsShown());
    core_->TakeOrders();
    EXPECT_EQ(video_->Refresh(true), 0);
    const auto orders = core_->TakeOrders();
    ASSERT_EQ(orders.size(), 3u) << "refresh, the kept key again, show again";
    EXPECT_EQ(orders[0].order, kOrderRefreshPosition);
    EXPECT_EQ(orders[1].record, Request(TOrderColourKey{{}, 0x00FF00}));
    EXPECT_EQ(orders[2].order, kOrderShowVideo);

    video_->Hide();
    EXPECT_FALSE(video_->IsShown());
    EXPECT_EQ(OnlyOrder().order, kOrderHideVideo);
    core_->answers[kOrderRefreshPosition] = -1;
    EXPECT_NE(video_->Refresh(true), 0) << "a failed refresh";
    EXPECT_EQ(core_->TakeOrderNumbers(), (std::vector<uint32_t>{kOrderRefreshPosition, kOrderColourKey}))
        << "hidden: not shown again";

    video_->ShowCursor(true);
    EXPECT_EQ(OnlyOrder().record, Request(TOrderCursor{{}, 1, {}}));
}

TEST_F(TVideoControlTest, DisplayModeShowsItsMessageAndSendsTheSettings) {
    core_->writeBack[kOrderDisplayMode] = BytesOf(kDisplayModeFullScreen);
    EXPECT_EQ(video_->SetDisplayMode(kDisplayModeFullScreen), 0);
    EXPECT_EQ(log_.Take(), Calls{"OSD.ShowCommand(Osd_FullScreen)"});
    EXPECT_EQ(core_->TakeOrderNumbers(), (std::vector<uint32_t>{kOrderDisplayMode, kOrderDisplayMode,
                                                                kOrderVideoLayout, kOrderRefreshPosition}));
    core_->writeBack[kOrderDisplayMode] = BytesOf(kDisplayModeWindow);
    video_->SetDisplayMode(kDisplayModeWindow);
    EXPECT_EQ(log_.Take(), Calls{"OSD.ShowCommand(Osd_Window)"});
    core_->TakeOrders();

    EXPECT_EQ(video_->GetDisplayMode(), 1);
    EXPECT_EQ(OnlyOrder().record, Request(TOrderDisplayMode{{}, 0}));
    EXPECT_TRUE(log_.Take().empty()) << "asking shows nothing";
    core_->answers[kOrderDisplayMode] = -1;
    EXPECT_EQ(video_->GetDisplayMode(), -1);
}

TEST_F(TVideoControlTest, VideoRectComesFromTheCoreOnlyOnSuccess) {
    core_->writeBack[kOrderVideoRectangle] = BytesOf(plat::win::RECT{10, 20, 650, 500});
    plat::win::RECT rect{};
    EXPECT_EQ(video_->GetVideoRect(&rect), 0);
    EXPECT_EQ(OnlyOrder().record, Request(TOrderVideoRectangle{}));
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.right, 650);
    EXPECT_EQ(rect.bottom, 500);
    EXPECT_EQ(video_->GetVideoRect(nullptr), 0);
    core_->TakeOrders();
    core_->answers[kOrderVideoRectangle] = -1;
    plat::win::RECT untouched{1, 2, 3, 4};
    EXPECT_EQ(video_->GetVideoRect(&untouched), -1);
    EXPECT_EQ(untouched.right, 3);
}

TEST_F(TVideoControlTest, TheApplyFlagFollowsTheOptionsAndTheDisplayMode) {
    struct Case {
        uint32_t displayMode;
        bool windowOnly;
        bool apply;
        uint32_t sent;
    };
    const Case cases[] = {
        {kDisplayModeWindow, false, true, 1},     {kDisplayModeWindow, true, true, 1},
        {kDisplayModeFullScreen, false, true, 1}, {kDisplayModeFullScreen, true, true, 0},
        {kDisplayModeWindow, false, false, 0},    {kDisplayModeFullScreen, true, false, 0},
    };
    TAspectSettings settings{};
    settings.Mode = 4;
    settings.CustomWidth = 720;
    settings.BlankingColor = 0x123456;
    settings.Apply = 1;
    video_->SetAspectSettings(&settings);
    for (const Case& c : cases) {
        core_->writeBack[kOrderDisplayMode] = BytesOf(c.displayMode);
        core_->TakeOrders();
        video_->SetAspectOptions(c.apply, c.windowOnly);
        const TOrderVideoLayout layout = SentLayout();
        EXPECT_EQ(layout.apply, c.sent) << c.displayMode << " " << c.windowOnly << " " << c.apply;
        EXPECT_EQ(layout.aspect[0], 4u);
        EXPECT_EQ(layout.aspect[1], 720u);
        EXPECT_EQ(layout.blankingColour, 0x123456u);
    }
    TAspectSettings kept{};
    EXPECT_TRUE(video_->GetAspectSettings(&kept));
    EXPECT_EQ(kept, settings) << "the kept record is not changed by sending";
    EXPECT_FALSE(video_->GetAspectSettings(nullptr));
    video_->SetAspectSettings(nullptr);
    video_->GetAspectSettings(&kept);
    EXPECT_EQ(kept, TAspectSettings{});
}

TEST_F(TVideoControlTest, SwitchingTheDisplayMode) {
    const DisplayMode desk{1920, 1080, 32, 60};
    const DisplayMode small{1024, 768, 32, 75};
    modes_.modes = {desk, small};
    modes_.start = desk;
    modes_.current = desk;
    EXPECT_EQ(video_->SwitchResolution(1), 1) << "already in the start mode";
    EXPECT_TRUE(modes_.calls.empty());
    EXPECT_EQ(video_->SwitchResolution(2), -1) << "the switch is not in use";
    EXPECT_EQ(video_->SwitchResolution(3), -1);
    EXPECT_TRUE(modes_.calls.empty());

    TAspectSettings settings{};
    settings.SwitchInUse = 1;
    settings.SwitchWidth = 1024;
    settings.SwitchHeight = 768;
    settings.SwitchBits = 32;
    settings.SwitchFrequency = 75;
    video_->SetAspectSettings(&settings);
    EXPECT_TRUE(video_->IsResolutionSwitchOn());
    EXPECT_EQ(video_->SwitchResolution(2), 0);
    EXPECT_EQ(modes_.calls, (Calls{"test 1024x768x32@75", "apply 1024x768x32@75"}));
    EXPECT_EQ(modes_.current, small);
    modes_.calls.clear();
    EXPECT_EQ(video_->SwitchResolution(1), 0) << "back to the start mode";
    EXPECT_EQ(modes_.calls, (Calls{"test 1920x1080x32@60", "apply 1920x1080x32@60"}));
    EXPECT_EQ(modes_.current, desk);

    modes_.calls.clear();
    settings.SwitchFrequency = 85;
    video_->SetAspectSettings(&settings);
    EXPECT_EQ(video_->SwitchResolution(2), -1) << "a mode the display refuses";
    EXPECT_EQ(modes_.calls, Calls{"test 1024x768x32@85"}) << "nothing applied after a failed test";
    EXPECT_EQ(modes_.current, desk);

    TVideoControl without(hub_, nullptr);
    EXPECT_EQ(without.SwitchResolution(1), -1);
}

TEST_F(TVideoControlTest, ScreenResolutionsAreSortedBySizeDepthAndRate) {
    modes_.modes = {{1024, 768, 32, 75}, {800, 600, 32, 60},  {1024, 768, 16, 60},
                    {1024, 768, 32, 60}, {768, 1024, 32, 60}, {640, 480, 8, 60}};
    modes_.start = DisplayMode{1024, 768, 32, 75};
    TScreenResolution resolutions(&modes_);
    resolutions.Refresh();
    ASSERT_EQ(resolutions.GetCount(), 6);
    const std::vector<DisplayMode> expected = {{640, 480, 8, 60},   {800, 600, 32, 60},  {1024, 768, 16, 60},
                                               {1024, 768, 32, 60}, {768, 1024, 32, 60}, {1024, 768, 32, 75}};
    for (int32_t i = 0; i < 6; ++i) {
        EXPECT_EQ(resolutions.GetMode(i), expected[static_cast<size_t>(i)]) << i;
    }
    EXPECT_FALSE(resolutions.GetMode(6).has_value());
    EXPECT_EQ(resolutions.StartMode(), modes_.start);
}

TEST_F(TVideoControlTest, TheAspectRatioFileIsReadAppliedAndKept) {
    const fs::path folder = fs::temp_directory_path() / ("video_control_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path file = folder / "AspectRatio.xml";
    std::ofstream(file, std::ios::binary) << "<ASPECTRATIO>\r\n  <Mode>Stretched</Mode>\r\n"
                                             "  <PosAndSize><Left>4</Left></PosAndSize>\r\n</ASPECTRATIO>";
    modes_.current = DisplayMode{1600, 1200, 32, 60};
    const std::u16string path = plat::text::AnsiToWide(file.string());
    EXPECT_TRUE(video_->ApplyAspectRatioFile(path.c_str()));
    TAspectSettings settings{};
    video_->GetAspectSettings(&settings);
    EXPECT_EQ(settings.Mode, 1);
    EXPECT_EQ(settings.PosInUse, 1);
    EXPECT_EQ(settings.Width, 1600) << "the screen's width";
    EXPECT_EQ(settings.Height, 1200);
    EXPECT_EQ(core_->TakeOrders().back().order, kOrderVideoLayout) << "applied";

    EXPECT_FALSE(video_->AspectRatioFileExists());
    video_->SetAspectRatioFile(path.c_str());
    EXPECT_TRUE(video_->AspectRatioFileExists());
    video_->SetAspectRatioFile(u"");
    EXPECT_FALSE(video_->AspectRatioFileExists());
    fs::remove_all(folder);
    EXPECT_FALSE(video_->ApplyAspectRatioFile(path.c_str()));
    EXPECT_TRUE(core_->TakeOrders().empty()) << "a missing file changes nothing";
}

} // namespace
