#pragma once
// Looks at composed pictures: bounding boxes of a colour, and whether pixels lie near others.
#include <QImage>
#include <QRect>

#include <functional>

// The bounding box of the pixels for which `match` holds.
inline QRect BoxWhere(const QImage& image, const std::function<bool(QRgb)>& match) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (match(image.pixel(x, y))) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

inline QRect BoxOf(const QImage& image, QRgb colour) {
    return BoxWhere(image, [colour](QRgb pixel) { return pixel == colour; });
}

inline QRect PaintedBox(const QImage& image) {
    return BoxWhere(image, [](QRgb pixel) { return qAlpha(pixel) != 0; });
}

inline int CountOf(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixel(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

// Whether every pixel of colour `from` has, within dx² + dy² <= radiusSquared, only pixels for which
// `near` holds (`any` clear), or at least one such pixel (`any` set).
inline bool EveryNeighbourhood(const QImage& image, QRgb from, int radiusSquared, bool any,
                               const std::function<bool(QRgb)>& near) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != from) {
                continue;
            }
            bool all = true;
            bool found = false;
            for (int dy = -4; dy <= 4; ++dy) {
                for (int dx = -4; dx <= 4; ++dx) {
                    if (dx * dx + dy * dy > radiusSquared || !image.valid(x + dx, y + dy)) {
                        continue;
                    }
                    const bool holds = near(image.pixel(x + dx, y + dy));
                    all = all && holds;
                    found = found || holds;
                }
            }
            if (any ? !found : !all) {
                return false;
            }
        }
    }
    return true;
}
