#pragma once
// A picture item (kind 5): an owned copy of a bitmap file image, drawn stretched by a scale onto a
// device context. Its extent is the image's width and height (0 x 0 for data that is not a bitmap
// file). The picture is read once when the image is set; an image whose sizes do not fit its data
// keeps its extent but draws nothing.
#include "platform/gdi/Bitmap.h"
#include "subtitles/model/TSubEvents.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

class TBitmapItem : public TSubEvents {
public:
    TBitmapItem();

    // Replaces the image by a copy of the bytes; -1 (and no image) without data, else the count.
    std::int32_t SetImage(const void* bytes, std::size_t count);
    bool HasImage() const { return !image_.empty(); }
    // Whether the image was read into a picture that can be drawn.
    bool HasPicture() const { return picture_.has_value(); }

    // Draws the picture with its top-left corner at (x, y), which the caller gives in device pixels
    // already, and its size times `scale`. False without an image; true otherwise, also when the image
    // cannot be drawn. The colour index, font pool and second scale are not used.
    bool Draw(plat::gdi::Dc* dc, std::int32_t x, std::int32_t y, std::int32_t colourIndex, TFontPool* pool,
              double scale, double secondScale) override;
    // The image's size in bytes.
    std::size_t GetRecordSize() const override { return image_.size(); }
    // Writes nothing: a picture item is not sent as a record.
    std::size_t WriteRecord(void* destination, std::size_t capacity) const override { return 0; }

private:
    std::vector<std::byte> image_;
    std::optional<plat::gdi::Bitmap> picture_;
};
