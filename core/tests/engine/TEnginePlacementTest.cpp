// The engine's video placement over a video surface: the sizes it reports for the layout, the video
// rectangle, aspect modes, border colour, colour key, cursor, and the subtitle picture it mixes.
#include "core/src/engine/TEnginePlacement.h"

#include "core/tests/pages/PixelCheck.h"
#include "platform/win/Window.h"
#include "platform/win/tests/TestWindow.h"

#include <gtest/gtest.h>

#include <memory>

namespace win = plat::win;
using plat::video::AspectMode;
using plat::video::PixelAspect;
using plat::video::VideoSurface;

namespace {

class TEnginePlacementTest : public testing::Test {
protected:
    TEnginePlacementTest() {
        win::SetWindowPos(window_.hwnd(), 0, 0, 0, 640, 480, win::SWP_NOZORDER);
        context_.window = window_.hwnd();
        context_.located.windowless = true;
    }

    void Present(int width, int height, PixelAspect aspect = {}) {
        QImage frame(width, height, VideoSurface::kFrameFormat);
        frame.fill(Qt::blue);
        surface_->PresentFrame(frame, aspect);
    }

    win::testing::TestWindow window_;
    TEngineContext context_;
    std::shared_ptr<VideoSurface> surface_ = std::make_shared<VideoSurface>();
    TEnginePlacement placement_{context_, surface_};
};

TEST_F(TEnginePlacementTest, SizesForTheLayout) {
    struct Row {
        int width, height;
        PixelAspect aspect;
        TScreenSize native, box;
    };
    // Square pixels keep the native size; PAL 16:9 (64:45) widens 720 x 576 to 1024 x 576.
    for (const Row& row :
         {Row{320, 240, {1, 1}, {320, 240}, {320, 240}}, Row{720, 576, {64, 45}, {1024, 576}, {1024, 576}},
          Row{720, 576, {16, 15}, {768, 576}, {768, 576}}}) {
        Present(row.width, row.height, row.aspect);
        TVideoSizes sizes;
        ASSERT_TRUE(placement_.GetVideoSizes(sizes));
        EXPECT_EQ(sizes.native.width, row.native.width);
        EXPECT_EQ(sizes.native.height, row.native.height);
        EXPECT_EQ(sizes.aspectBox.width, row.box.width);
        EXPECT_EQ(sizes.aspectBox.height, row.box.height);
        EXPECT_EQ(sizes.window.width, 640);
        EXPECT_EQ(sizes.window.height, 480);
    }
    win::RECT native{};
    EXPECT_TRUE(placement_.GetNativeSize(native));
    EXPECT_EQ(native.right, 720);
    EXPECT_TRUE(placement_.HasNativeVideo());
}

TEST_F(TEnginePlacementTest, WithoutAPictureOnlyTheWindowIsKnown) {
    TVideoSizes sizes;
    EXPECT_FALSE(placement_.GetVideoSizes(sizes)) << "no frame yet";
    EXPECT_EQ(sizes.window.width, 640);
    EXPECT_FALSE(placement_.HasNativeVideo());

    context_.located.windowless = false; // a graph without video
    Present(320, 240);
    EXPECT_FALSE(placement_.GetVideoSizes(sizes));
    EXPECT_EQ(sizes.native.width, 640) << "the window's size in its place";
    EXPECT_EQ(sizes.aspectBox.height, 480);
    win::RECT native{};
    EXPECT_FALSE(placement_.GetNativeSize(native));
    EXPECT_FALSE(placement_.SetVideoRect(0, 0, 10, 10));
}

TEST_F(TEnginePlacementTest, VideoRectangleBorderAspectAndCursor) {
    EXPECT_TRUE(placement_.SetVideoRect(10, 20, 300, 200));
    const win::RECT kept = placement_.WindowlessRect();
    EXPECT_EQ(kept.left, 10);
    EXPECT_EQ(kept.top, 20);
    EXPECT_EQ(kept.right, 310);
    EXPECT_EQ(kept.bottom, 220);
    EXPECT_EQ(surface_->VideoRect(), QRect(10, 20, 300, 200));

    placement_.ApplyBorderColor(0x00FF0000); // blue in 0x00BBGGRR
    EXPECT_EQ(surface_->BorderColor(), qRgb(0, 0, 255));

    struct Row {
        std::uint32_t mode;
        AspectMode shown;
    };
    for (const Row& row : {Row{0, AspectMode::LetterBox}, Row{1, AspectMode::Stretch},
                           Row{2, AspectMode::Crop}, Row{7, AspectMode::LetterBox}}) {
        EXPECT_TRUE(placement_.SetAspectMode(row.mode));
        EXPECT_EQ(surface_->GetAspectMode(), row.shown) << row.mode;
    }
    EXPECT_FALSE(placement_.ShowVideoCursor(false)) << "no video window of its own";
}

TEST_F(TEnginePlacementTest, ColourKeyIsStoredAndGivenToTheSurface) {
    EXPECT_TRUE(placement_.ApplyColorKey(0x00101010, false));
    EXPECT_EQ(surface_->ColorKey(), qRgb(16, 16, 16));
    EXPECT_TRUE(placement_.ApplyColorKey(0x000000FF, true)) << "the stored key applies again";
    EXPECT_EQ(placement_.ColorKey(), 0x00101010u);

    TEnginePlacement withoutSurface(context_, nullptr);
    EXPECT_FALSE(withoutSurface.ApplyColorKey(0x00202020, false));
    EXPECT_EQ(withoutSurface.ColorKey(), 0x00202020u) << "stored all the same";
    EXPECT_FALSE(withoutSurface.SetAspectMode(0));
}

TEST_F(TEnginePlacementTest, MixesThePictureOverTheVideo) {
    Present(40, 30);
    QImage picture(80, 60, VideoSurface::kLayerFormat);
    picture.fill(Qt::transparent);
    picture.setPixel(45, 35, qRgb(255, 255, 0));
    EXPECT_EQ(placement_.MixOverlayBitmap(picture, {40, 30, 80, 60}), plat::media::S_OK);
    EXPECT_EQ(surface_->DisplayedImage().pixel(5, 5), qRgb(255, 255, 0)) << "the part covers the picture";
    EXPECT_EQ(surface_->DisplayedImage().pixel(20, 20), qRgb(0, 0, 255));

    EXPECT_EQ(placement_.MixOverlayBitmap(QImage(), {0, 0, 10, 10}), plat::media::E_FAIL);
    EXPECT_EQ(placement_.MixOverlayBitmap(picture, {100, 100, 110, 110}), plat::media::E_FAIL);
    context_.located.windowless = false;
    EXPECT_EQ(placement_.MixOverlayBitmap(picture, {0, 0, 80, 60}), plat::media::E_FAIL);
}

// The text is drawn in yellow on the key at the picture's top left; the key lets the video through.
TEST_F(TEnginePlacementTest, MixesTextOverTheVideo) {
    EXPECT_EQ(placement_.MixOverlayText(u"Hi"), plat::media::E_FAIL) << "no picture yet";
    Present(160, 120);
    placement_.ApplyColorKey(0x00101010, false);
    EXPECT_EQ(placement_.MixOverlayText(u"Hi"), plat::media::S_OK);
    const QImage shown = surface_->DisplayedImage();
    const QRect yellow = BoxOf(shown, qRgb(255, 255, 0));
    ASSERT_FALSE(yellow.isEmpty());
    EXPECT_LT(yellow.top(), 20);
    EXPECT_LT(yellow.left(), 10);
    EXPECT_EQ(shown.pixel(150, 110), qRgb(0, 0, 255)) << "the video under the key";
    context_.located.windowless = false;
    EXPECT_EQ(placement_.MixOverlayText(u"Hi"), plat::media::S_OK) << "nothing to mix into";
}

} // namespace
