#include "player/ui/skin/buttons/TGlyphList.h"

namespace {
const QImage kNoImage;
}

int TGlyphList::AllocateIndex() {
    std::size_t slot = 0;
    while (slot < used_.size() && used_[slot]) {
        ++slot;
    }
    if (slot == used_.size()) {
        images_.emplace_back();
        used_.push_back(false);
    }
    used_[slot] = true;
    return static_cast<int>(slot);
}

int TGlyphList::AddMasked(const QImage& frame, const QColor& maskColour) {
    const int slot = AllocateIndex();
    QImage image = frame.convertToFormat(QImage::Format_ARGB32);
    if (maskColour.isValid()) {
        const QRgb key = maskColour.rgb() & 0xFFFFFFu;
        for (int y = 0; y < image.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if ((row[x] & 0xFFFFFFu) == key) {
                    row[x] = 0;
                }
            }
        }
    }
    images_[static_cast<std::size_t>(slot)] = std::move(image);
    ++count_;
    return slot;
}

void TGlyphList::Delete(int slot) {
    if (slot < 0 || static_cast<std::size_t>(slot) >= used_.size() ||
        !used_[static_cast<std::size_t>(slot)]) {
        return;
    }
    used_[static_cast<std::size_t>(slot)] = false;
    images_[static_cast<std::size_t>(slot)] = QImage();
    --count_;
}

const QImage& TGlyphList::Image(int slot) const {
    if (slot < 0 || static_cast<std::size_t>(slot) >= images_.size()) {
        return kNoImage;
    }
    return images_[static_cast<std::size_t>(slot)];
}
