#include "platform/video/VideoSurface.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace plat::video {
namespace {

constexpr QRgb kRed = 0xffff0000;
constexpr QRgb kGreen = 0xff00ff00;
constexpr QRgb kBlue = 0xff0000ff;
constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kKey = 0xff101010;
constexpr QRgb kYellow = 0xffffff00;
constexpr QRgb kBorder = 0xff808080;

// A 40 x 30 picture in four solid quadrants: red, green / blue, white.
QImage Quadrants(QImage::Format format = VideoSurface::kFrameFormat) {
    QImage image(40, 30, format);
    QPainter painter(&image);
    painter.fillRect(0, 0, 20, 15, QColor::fromRgb(kRed));
    painter.fillRect(20, 0, 20, 15, QColor::fromRgb(kGreen));
    painter.fillRect(0, 15, 20, 15, QColor::fromRgb(kBlue));
    painter.fillRect(20, 15, 20, 15, QColor::fromRgb(kWhite));
    return image;
}

QImage Filled(QSize size, QRgb colour, QImage::Format format = QImage::Format_RGB32) {
    QImage image(size, format);
    image.fill(colour);
    return image;
}

// The surface composed into `destination` on a canvas of the border colour.
QImage Composed(const VideoSurface& surface, QRect destination, QSize canvas = {300, 200}) {
    QImage image = Filled(canvas, kBorder);
    QPainter painter(&image);
    surface.Compose(painter, destination);
    return image;
}

TEST(VideoSurfaceTest, KeepsTheLatestFrameInTheFrameFormat) {
    VideoSurface surface;
    EXPECT_TRUE(surface.Frame().image.isNull());
    EXPECT_EQ(surface.FrameCount(), 0u);

    surface.PresentFrame(Quadrants(QImage::Format_ARGB32), {8, 9}, std::chrono::milliseconds(1500));
    surface.PresentFrame(QImage(), {1, 1}); // ignored
    const VideoFrame frame = surface.Frame();
    EXPECT_EQ(frame.number, 1u);
    EXPECT_EQ(frame.streamTime, std::chrono::milliseconds(1500));
    EXPECT_EQ(frame.image.format(), VideoSurface::kFrameFormat);
    EXPECT_EQ(frame.NativeSize(), QSize(40, 30));
    EXPECT_EQ(frame.pixelAspect, (PixelAspect{8, 9}));
    EXPECT_EQ(frame.image.pixel(30, 5), kGreen);

    surface.PresentFrame(Filled({64, 48}, kBlue), {});
    EXPECT_EQ(surface.FrameCount(), 2u);
    EXPECT_EQ(surface.Frame().NativeSize(), QSize(64, 48));
    EXPECT_EQ(surface.Frame().pixelAspect, (PixelAspect{1, 1}));
    EXPECT_FALSE(surface.Frame().streamTime); // a frame without a time has none
}

TEST(VideoSurfaceTest, TellsEachListenerOfEveryFrameUntilRemoved) {
    VideoSurface surface;
    std::vector<std::uint64_t> first;
    std::vector<QSize> second;
    const auto firstId =
        surface.AddFrameListener([&](const VideoFrame& frame) { first.push_back(frame.number); });
    surface.AddFrameListener([&](const VideoFrame& frame) { second.push_back(frame.NativeSize()); });

    surface.PresentFrame(Quadrants(), {});
    surface.RemoveFrameListener(firstId);
    surface.PresentFrame(Filled({8, 8}, kRed), {});

    EXPECT_EQ(first, (std::vector<std::uint64_t>{1}));
    EXPECT_EQ(second, (std::vector<QSize>{{40, 30}, {8, 8}}));
}

TEST(VideoSurfaceTest, ComposesTheFrameIntoTheDestinationRectangle) {
    VideoSurface surface;
    const QRect destination(50, 20, 200, 120);
    EXPECT_EQ(Composed(surface, destination).pixel(150, 80), 0xff000000u) << "black before the first frame";

    surface.PresentFrame(Quadrants(), {});
    const QImage picture = Composed(surface, destination);
    // Each quadrant of the frame fills the matching quarter of the rectangle; outside it nothing changes.
    EXPECT_EQ(picture.pixel(75, 40), kRed);
    EXPECT_EQ(picture.pixel(225, 40), kGreen);
    EXPECT_EQ(picture.pixel(75, 120), kBlue);
    EXPECT_EQ(picture.pixel(225, 120), kWhite);
    for (const QPoint outside : {QPoint(49, 80), QPoint(250, 80), QPoint(150, 19), QPoint(150, 140)}) {
        EXPECT_EQ(picture.pixel(outside), kBorder) << outside.x() << "," << outside.y();
    }
}

TEST(VideoSurfaceTest, SubtitleKeyShowsTheVideoAndMessagesLieOnTop) {
    VideoSurface surface;
    surface.PresentFrame(Quadrants(), {});
    surface.SetColorKey(kKey);
    // A layer of half the picture's resolution: key everywhere, one yellow block over the red quadrant.
    QImage subtitles = Filled({20, 15}, kKey);
    QPainter(&subtitles).fillRect(2, 2, 4, 4, QColor::fromRgb(kYellow));
    surface.SetLayer(OverlayLayer::Subtitle, subtitles);
    // A message layer, transparent but for a white block over the blue quadrant.
    QImage message = Filled({20, 15}, 0, QImage::Format_ARGB32);
    QPainter(&message).fillRect(2, 10, 4, 4, QColor::fromRgb(kWhite));
    surface.SetLayer(OverlayLayer::Message, message);

    const QRect destination(0, 0, 200, 150); // ten screen pixels per layer pixel
    QImage picture = Composed(surface, destination);
    EXPECT_EQ(picture.pixel(35, 35), kYellow);
    EXPECT_EQ(picture.pixel(35, 115), kWhite);
    EXPECT_EQ(picture.pixel(75, 35), kRed) << "key pixels show the video";
    EXPECT_EQ(picture.pixel(150, 35), kGreen);
    EXPECT_EQ(surface.LayerImage(OverlayLayer::Subtitle).pixel(0, 0), 0u);

    // A new key applies to the layer already set: the old key colour becomes visible.
    surface.SetColorKey(kYellow);
    picture = Composed(surface, destination);
    EXPECT_EQ(picture.pixel(35, 35), kRed);
    EXPECT_EQ(picture.pixel(75, 35), kKey);

    surface.ClearLayer(OverlayLayer::Subtitle);
    surface.ClearLayer(OverlayLayer::Message);
    picture = Composed(surface, destination);
    EXPECT_EQ(picture.pixel(75, 35), kRed);
    EXPECT_EQ(picture.pixel(35, 115), kBlue);
    EXPECT_TRUE(surface.LayerImage(OverlayLayer::Subtitle).isNull());
}

TEST(VideoSurfaceTest, LayerSourceRectangleIsStretchedOverThePicture) {
    VideoSurface surface;
    surface.PresentFrame(Quadrants(), {});
    QImage layer = Filled({40, 40}, kKey);
    QPainter(&layer).fillRect(20, 20, 20, 20, QColor::fromRgb(kYellow));
    const QRect destination(0, 0, 100, 100);

    surface.SetLayer(OverlayLayer::Message, layer, QRect(20, 20, 20, 20));
    EXPECT_EQ(Composed(surface, destination).pixel(10, 10), kYellow) << "the source alone fills the picture";

    // A source wholly outside the image draws nothing.
    surface.SetLayer(OverlayLayer::Message, layer, QRect(100, 100, 10, 10));
    EXPECT_EQ(Composed(surface, destination).pixel(10, 10), kRed);
}

// The window: border colour around the video rectangle, the picture placed in it by the aspect mode.
TEST(VideoSurfaceTest, PaintsTheWindowWithBorderAndPlacedPicture) {
    VideoSurface surface;
    surface.PresentFrame(Quadrants(), {}); // 4:3
    surface.SetBorderColor(kYellow);
    surface.SetVideoRect(QRect(10, 20, 200, 100)); // wider than 4:3
    struct Row {
        AspectMode mode;
        QRect picture;
    };
    for (const Row& row : {Row{AspectMode::LetterBox, QRect(43, 20, 133, 100)},
                           Row{AspectMode::Stretch, QRect(10, 20, 200, 100)},
                           Row{AspectMode::Crop, QRect(10, -5, 200, 150)}}) {
        surface.SetAspectMode(row.mode);
        EXPECT_EQ(surface.PictureRect(surface.VideoRect()), row.picture);
        QImage window = Filled({300, 200}, kBlue);
        QPainter painter(&window);
        surface.Paint(painter, window.size());
        painter.end();
        EXPECT_EQ(window.pixel(5, 5), kYellow) << "outside the video rectangle";
        EXPECT_EQ(window.pixel(250, 150), kYellow);
        const QRect shown = row.picture.intersected(QRect(10, 20, 200, 100));
        EXPECT_EQ(window.pixel(shown.topLeft() + QPoint(2, 2)), kRed);
        EXPECT_EQ(window.pixel(shown.bottomRight() - QPoint(2, 2)), kWhite);
        if (row.mode == AspectMode::LetterBox) {
            EXPECT_EQ(window.pixel(20, 70), kYellow) << "the bars inside the video rectangle too";
        }
    }
    // Pixels that are not square widen the picture: 40 x 30 at 2:1 shows as 80 x 30.
    surface.PresentFrame(Quadrants(), {2, 1});
    surface.SetAspectMode(AspectMode::LetterBox);
    EXPECT_EQ(surface.PictureRect(QRect(0, 0, 160, 120)), QRect(0, 30, 160, 60));
}

TEST(VideoSurfaceTest, DisplayedImageMixesTheLayersAtTheFrameSize) {
    VideoSurface surface;
    EXPECT_TRUE(surface.DisplayedImage().isNull());
    surface.PresentFrame(Quadrants(), {});
    surface.SetColorKey(kKey);
    QImage subtitles = Filled({80, 60}, kKey);
    QPainter(&subtitles).fillRect(60, 40, 10, 10, QColor::fromRgb(kYellow));
    surface.SetLayer(OverlayLayer::Subtitle, subtitles);
    const QImage shown = surface.DisplayedImage();
    ASSERT_EQ(shown.size(), QSize(40, 30));
    EXPECT_EQ(shown.pixel(32, 22), kYellow);
    EXPECT_EQ(shown.pixel(2, 2), kRed);
    EXPECT_EQ(surface.Frame().image.pixel(32, 22), kWhite) << "the frame itself is untouched";
}

// A frame scaled to the shown size is placed and grabbed by its native picture: 80 x 60 pixels of 2:1
// show as 160 x 60 whatever size the scaled image has, and grabs come at 80 x 60.
TEST(VideoSurfaceTest, AScaledFrameIsPlacedAndGrabbedByItsNativePicture) {
    VideoSurface surface;
    const QImage native = Quadrants().scaled(80, 60);
    surface.PresentFrame(Quadrants(), {2, 1}, std::nullopt,
                         NativePicture{{80, 60}, [native] { return native; }});
    EXPECT_EQ(surface.Frame().NativeSize(), QSize(80, 60));
    EXPECT_EQ(surface.PictureRect(QRect(0, 0, 160, 120)), QRect(0, 30, 160, 60));
    const QImage shown = surface.DisplayedImage();
    ASSERT_EQ(shown.size(), QSize(80, 60));
    EXPECT_EQ(shown.pixel(70, 50), kWhite);

    surface.SetShownSize({60, 20});
    EXPECT_EQ(surface.ShownSize(), QSize(60, 20));
    surface.SetShownSize({0, 20});
    EXPECT_TRUE(surface.ShownSize().isEmpty()) << "an empty size asks for the native one";
}

// Only the painted part is searched for the key, and a picture without the key there is not copied.
TEST(VideoSurfaceTest, KeysOnlyThePaintedPart) {
    VideoSurface surface;
    surface.SetColorKey(kKey);
    QImage layer = Filled({40, 30}, 0, VideoSurface::kLayerFormat);
    layer.setPixel(5, 5, kKey);
    layer.setPixel(30, 20, kKey);
    surface.SetLayer(OverlayLayer::Subtitle, layer, {}, QRect(0, 0, 10, 10));
    QImage shown = surface.LayerImage(OverlayLayer::Subtitle);
    EXPECT_EQ(shown.pixel(5, 5), 0u) << "keyed inside the painted part";
    EXPECT_EQ(shown.pixel(30, 20), kKey) << "left alone outside it";
    EXPECT_EQ(layer.pixel(5, 5), kKey) << "the caller's picture is not changed";

    QImage clean = Filled({40, 30}, 0, VideoSurface::kLayerFormat);
    clean.setPixel(2, 2, kYellow);
    surface.SetLayer(OverlayLayer::Subtitle, clean, {}, QRect(0, 0, 10, 10));
    EXPECT_EQ(surface.LayerImage(OverlayLayer::Subtitle).constBits(), clean.constBits())
        << "shared, not copied";
}

TEST(VideoSurfaceTest, AsksForARepaintWhenLayersOrPlacementChange) {
    VideoSurface surface;
    int asked = 0;
    surface.SetRepaintRequest([&] { ++asked; });
    surface.SetLayer(OverlayLayer::Subtitle, Filled({4, 4}, kKey));
    surface.SetColorKey(kKey);
    surface.SetVideoRect(QRect(0, 0, 4, 4));
    surface.SetBorderColor(kRed);
    surface.SetAspectMode(AspectMode::Crop);
    surface.RequestRepaint();
    EXPECT_EQ(asked, 6);
}

TEST(VideoSurfaceTest, FramesWrittenOnOneThreadAreReadAndComposedOnAnother) {
    constexpr std::uint64_t kFrames = 300;
    VideoSurface surface;
    std::atomic<std::uint64_t> heard = 0;
    std::atomic<bool> ordered = true;
    surface.AddFrameListener([&](const VideoFrame& frame) {
        ordered = ordered && frame.number == heard + 1;
        heard = frame.number;
    });
    std::atomic<bool> done = false;

    std::thread writer([&] {
        for (std::uint64_t i = 0; i < kFrames; ++i) {
            surface.PresentFrame(Filled({32 + static_cast<int>(i % 8), 24}, i % 2 ? kRed : kBlue), {1, 1});
        }
        done = true;
    });
    std::thread reader([&] {
        QImage canvas = Filled({64, 48}, kBorder);
        std::uint64_t last = 0;
        int round = 0;
        while (!done) {
            const VideoFrame frame = surface.Frame();
            EXPECT_GE(frame.number, last);
            last = frame.number;
            if (!frame.image.isNull()) {
                const QRgb pixel = frame.image.pixel(0, 0);
                EXPECT_TRUE(pixel == kRed || pixel == kBlue);
            }
            surface.SetColorKey(++round % 2 ? kKey : kYellow);
            surface.SetLayer(OverlayLayer::Subtitle, Filled({16, 12}, kKey));
            QPainter painter(&canvas);
            surface.Compose(painter, QRectF(0, 0, 64, 48));
        }
    });
    writer.join();
    reader.join();
    EXPECT_EQ(surface.FrameCount(), kFrames);
    EXPECT_EQ(heard, kFrames);
    EXPECT_TRUE(ordered);
}

} // namespace
} // namespace plat::video
