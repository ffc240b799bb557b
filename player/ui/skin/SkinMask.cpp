#include "player/ui/skin/SkinMask.h"

#include <QRect>

#include <vector>

QRegion SkinMask::BuildMaskRegion(const QImage& mask) {
    const QImage image = mask.convertToFormat(QImage::Format_RGB32);
    // Solid runs of each row, with rows equal to the one above merged into taller rectangles; the
    // rectangles are y-x sorted bands, as the region wants them.
    std::vector<QRect> rects;
    std::vector<std::pair<int, int>> previous;
    std::size_t previousStart = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        std::vector<std::pair<int, int>> runs;
        for (int x = 0; x < image.width();) {
            if (qRed(row[x]) != 0) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < image.width() && qRed(row[x]) == 0) {
                ++x;
            }
            runs.emplace_back(start, x);
        }
        if (y > 0 && runs == previous) {
            for (std::size_t i = previousStart; i < rects.size(); ++i) {
                rects[i].setBottom(y);
            }
            continue;
        }
        previousStart = rects.size();
        for (const auto& [start, end] : runs) {
            rects.emplace_back(QPoint(start, y), QPoint(end - 1, y));
        }
        previous = std::move(runs);
    }
    QRegion region;
    if (!rects.empty()) {
        region.setRects(rects.data(), static_cast<int>(rects.size()));
    }
    return region;
}
