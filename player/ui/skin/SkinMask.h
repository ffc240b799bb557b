#pragma once
// The shape a mask bitmap gives a window: every pixel without red is solid, every pixel with red is
// cut away; the shape never reaches beyond the bitmap.
#include <QImage>
#include <QRegion>

class SkinMask {
public:
    static QRegion BuildMaskRegion(const QImage& mask);
};
