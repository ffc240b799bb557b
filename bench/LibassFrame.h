#pragma once
// libass as the peer of our subtitle drawing: a script read from memory with the DejaVu Sans font
// file, rendered at a time and blended onto a video frame (coverage masks in their RGBA colours).
#include <QImage>

extern "C" {
#include <ass/ass.h>
}

#include <string>

class LibassFrame {
public:
    static constexpr char kFontFile[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

    LibassFrame(std::string script, int width, int height);
    ~LibassFrame();
    LibassFrame(const LibassFrame&) = delete;
    LibassFrame& operator=(const LibassFrame&) = delete;

    // Reads the script again (the renderer and its font stay).
    void Load();
    // Renders at `time` (ms) and blends every image onto the frame.
    void DrawOnto(QImage& frame, long long time);

private:
    std::string script_;
    ASS_Library* library_ = nullptr;
    ASS_Renderer* renderer_ = nullptr;
    ASS_Track* track_ = nullptr;
};
