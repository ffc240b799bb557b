#pragma once
// An image list of frames of one size, as the glyph engines share it: slots are handed out and given
// back; a given-back slot is reused, never removed.
#include <QColor>
#include <QImage>

#include <cstdint>
#include <vector>

class TGlyphList {
public:
    TGlyphList(int width, int height) : width_(width), height_(height) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Slots in use.
    int Count() const { return count_; }

    // The first free slot, marked used (the list grows by an empty image when none is free).
    int AllocateIndex();
    // Stores the frame in a new slot; pixels of the mask colour (when valid) become transparent.
    int AddMasked(const QImage& frame, const QColor& maskColour);
    // Gives a used slot back.
    void Delete(int slot);
    // The slot's image, or a null image for a slot out of range.
    const QImage& Image(int slot) const;

private:
    int width_;
    int height_;
    int count_ = 0;
    std::vector<QImage> images_;
    std::vector<bool> used_;
};
