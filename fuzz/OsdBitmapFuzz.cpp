// Shows arbitrary bytes as an on-screen bitmap message (order 602's type 2) and draws the queue into
// a small picture. The first byte picks the queue's alignment and the size of the video rectangle;
// the rest is the bitmap file image. Reading must refuse sizes the data cannot hold, so memory stays
// bounded by the input, and drawing must not step outside the picture or into undefined behaviour.
#include "core/src/TClockSource.h"
#include "core/src/osd/TOsdQueue.h"
#include "platform/gdi/BmpReader.h"
#include "platform/gdi/ImageDc.h"

#include <QImage>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

namespace {

class StillClocks : public TClockSource {
public:
    bool QueryPerformanceFrequency(std::int64_t& frequency) override {
        frequency = 1000;
        return true;
    }
    bool QueryPerformanceCounter(std::int64_t& counter) override {
        counter = 0;
        return true;
    }
    std::uint32_t GetTickCount() override { return 0; }
};

constexpr int kPictureWidth = 96;
constexpr int kPictureHeight = 64;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::uint8_t shape = data[0];
    TOsdQueue queue(std::make_shared<StillClocks>());
    TSubtitleStyleRecord style = TOsdQueue::DefaultStyle();
    style.alignment = 1 + shape % 11;
    queue.SetStyle(style, 1000, true);
    const auto* image = reinterpret_cast<const std::byte*>(data + 1);
    if (!queue.AddItem(std::span(image, size - 1), TOsdItem::kBitmap, 0, 1)) {
        return 0;
    }
    QImage picture(kPictureWidth, kPictureHeight, QImage::Format_ARGB32_Premultiplied);
    picture.fill(0);
    plat::gdi::ImageDc dc(picture);
    // Video rectangles inside, across and beyond the picture's edges.
    const int side = (shape >> 4) * 16;
    const plat::win::RECT video{-side / 2, -side / 4, side, side / 2 + 8};
    queue.Draw(dc, video);
    // A picture that was read holds no more pixels than the data has bytes for (3 a pixel at least).
    plat::gdi::Bitmap bitmap;
    if (plat::gdi::BmpReader::Read(std::span(image, size - 1), bitmap) && bitmap.pixels.size() * 3 > size) {
        std::abort();
    }
    return 0;
}
