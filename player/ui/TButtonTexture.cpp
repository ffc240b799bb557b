#include "player/ui/TButtonTexture.h"

#include "player/ui/skin/buttons/ButtonTypes.h"

#include <QColor>

namespace {

// Top and bottom colour of each frame's face, in the order of the button states.
struct FaceColours {
    QColor top;
    QColor bottom;
};

FaceColours FaceOf(int frame) {
    switch (static_cast<TMyButtonState>(frame)) {
    case TMyButtonState::Disabled:
        return {QColor(0xe4, 0xe6, 0xea), QColor(0xd8, 0xdb, 0xe0)};
    case TMyButtonState::Down:
    case TMyButtonState::Exclusive:
        return {QColor(0x9a, 0xa6, 0xb6), QColor(0xc4, 0xcc, 0xd8)};
    case TMyButtonState::Hover:
        return {QColor(0xe8, 0xf2, 0xff), QColor(0xa8, 0xc8, 0xf0)};
    case TMyButtonState::Up:
        break;
    }
    return {QColor(0xf4, 0xf6, 0xf9), QColor(0xc8, 0xcf, 0xd9)};
}

QColor Blend(const QColor& from, const QColor& to, int step, int steps) {
    const auto mix = [&](int a, int b) { return a + (b - a) * step / steps; };
    return QColor(mix(from.red(), to.red()), mix(from.green(), to.green()), mix(from.blue(), to.blue()));
}

} // namespace

QColor TButtonTexture::EdgeColour() {
    return QColor(0x5a, 0x66, 0x78);
}

QImage TButtonTexture::Strip(int edgeColumn) {
    QImage strip(kCapWidth * kFrames, kHeight, QImage::Format_RGB32);
    for (int frame = 0; frame < kFrames; ++frame) {
        const FaceColours face = FaceOf(frame);
        for (int y = 0; y < kHeight; ++y) {
            const bool rim = y == 0 || y == kHeight - 1;
            const QColor fill = rim ? EdgeColour() : Blend(face.top, face.bottom, y, kHeight - 1);
            for (int x = 0; x < kCapWidth; ++x) {
                strip.setPixelColor(frame * kCapWidth + x, y, x == edgeColumn ? EdgeColour() : fill);
            }
        }
    }
    return strip;
}

QImage TButtonTexture::LeftStrip() {
    return Strip(0);
}

QImage TButtonTexture::RightStrip() {
    return Strip(kCapWidth - 1);
}
