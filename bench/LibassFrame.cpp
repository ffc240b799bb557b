#include "bench/LibassFrame.h"

#include <cstdint>

LibassFrame::LibassFrame(std::string script, int width, int height) : script_(std::move(script)) {
    library_ = ass_library_init();
    ass_set_fonts_dir(library_, "/usr/share/fonts/truetype/dejavu");
    renderer_ = ass_renderer_init(library_);
    ass_set_frame_size(renderer_, width, height);
    ass_set_storage_size(renderer_, width, height);
    ass_set_fonts(renderer_, kFontFile, "DejaVu Sans", ASS_FONTPROVIDER_NONE, nullptr, 0);
    Load();
}

LibassFrame::~LibassFrame() {
    ass_free_track(track_);
    ass_renderer_done(renderer_);
    ass_library_done(library_);
}

void LibassFrame::Load() {
    if (track_ != nullptr) {
        ass_free_track(track_);
    }
    track_ = ass_read_memory(library_, script_.data(), script_.size(), nullptr);
}

void LibassFrame::DrawOnto(QImage& frame, long long time) {
    int changed = 0;
    for (ASS_Image* image = ass_render_frame(renderer_, track_, time, &changed); image != nullptr;
         image = image->next) {
        const std::uint32_t colour = image->color;
        const unsigned red = colour >> 24, green = (colour >> 16) & 0xFF, blue = (colour >> 8) & 0xFF;
        const unsigned opacity = 255 - (colour & 0xFF);
        for (int y = 0; y < image->h; ++y) {
            const unsigned char* mask = image->bitmap + y * image->stride;
            auto* row = reinterpret_cast<QRgb*>(frame.scanLine(image->dst_y + y)) + image->dst_x;
            for (int x = 0; x < image->w; ++x) {
                const unsigned alpha = mask[x] * opacity / 255;
                if (alpha == 0) {
                    continue;
                }
                const QRgb under = row[x];
                row[x] = qRgb((red * alpha + qRed(under) * (255 - alpha)) / 255,
                              (green * alpha + qGreen(under) * (255 - alpha)) / 255,
                              (blue * alpha + qBlue(under) * (255 - alpha)) / 255);
            }
        }
    }
}
