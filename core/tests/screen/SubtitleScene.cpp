#include "core/tests/screen/SubtitleScene.h"

#include "core/include/VokradOrders.h"
#include "core/tests/pages/PixelCheck.h"
#include "platform/gdi/BmpReader.h"
#include "platform/testing/TestFont.h"
#include "subtitles/model/tests/TestStyleRecord.h"

#include <cstdlib>
#include <cstring>
#include <span>

bool SubtitleScene::SendScript(std::uint32_t pageKey, const std::vector<TTestEvent>& events) {
    TOrderStyles styles{};
    const TSubtitleStyleRecord style = TestStyleRecord(
        {.font = kTestFontFamily, .fontSize = 24, .primary = 0xFF00FF, .borderStyle = 0, .marginLR = 0});
    std::memcpy(styles.style, &style, sizeof(style));
    styles.step = 4;
    bool sent = Send(kOrderStyles, styles) == 0;
    styles.step = 3;
    sent = sent && Send(kOrderStyles, styles) == 0;
    std::vector<std::byte> pages = PageBlockBuilder::Order(pageKey, events);
    sent = sent && player_.Send(kOrderSubtitlePages, pages.data()) == 0;
    sent = sent && Send(kOrderProfileTitle, TOrderProfileTitle{{}, static_cast<std::int32_t>(pageKey)}) == 0;
    return sent && Send(kOrderSubtitlesOn, TOrderSubtitlesOn{{}, 1, {}}) == 0;
}

QImage SubtitleScene::CurrentPicture() {
    void* out = nullptr;
    if (player_.Send(kOrderCurrentPicture, nullptr, &out) != 0) {
        return {};
    }
    std::uint32_t fileSize = 0;
    std::memcpy(&fileSize, static_cast<const std::byte*>(out) + 2, sizeof(fileSize));
    plat::gdi::Bitmap bitmap;
    const bool read =
        plat::gdi::BmpReader::Read(std::span(static_cast<const std::byte*>(out), fileSize), bitmap);
    std::free(out);
    if (!read) {
        return {};
    }
    QImage image(bitmap.width, bitmap.height, QImage::Format_RGB32);
    std::memcpy(image.bits(), bitmap.pixels.data(), bitmap.pixels.size() * sizeof(std::uint32_t));
    return image;
}

bool SubtitleScene::LayoutPending() {
    const std::lock_guard lock(player_.Player().SubtitleLock());
    return player_.Player().LayoutPending();
}

SubtitleScene::Shown SubtitleScene::SubtitleIn(const QImage& picture) {
    const QRect box = BoxOf(picture, kMagenta);
    if (box.isEmpty()) {
        return Shown::None;
    }
    return box.width() < picture.width() / 3 ? Shown::Short : Shown::Long;
}
