#include "subtitles/model/TSubScreenControler.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

std::atomic<std::uint64_t> gPrimaryScreen{0};

// Toward zero, held to the 32-bit range.
std::int32_t Truncate(double value) {
    if (!(value > INT32_MIN)) {
        return std::isnan(value) ? 0 : INT32_MIN;
    }
    return value < INT32_MAX ? static_cast<std::int32_t>(std::trunc(value)) : INT32_MAX;
}

std::int32_t Clamp(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

} // namespace

void TSubScreenControler::SetPrimaryScreenSize(TScreenSize size) {
    gPrimaryScreen.store((static_cast<std::uint64_t>(static_cast<std::uint32_t>(size.width)) << 32) |
                         static_cast<std::uint32_t>(size.height));
}

TScreenSize TSubScreenControler::PrimaryScreenSize() {
    const std::uint64_t packed = gPrimaryScreen.load();
    return {static_cast<std::int32_t>(packed >> 32), static_cast<std::int32_t>(packed & 0xFFFFFFFFu)};
}

TSubScreenControler::TSubScreenControler() : TSubScreenControler(PrimaryScreenSize()) {}

TSubScreenControler::TSubScreenControler(TScreenSize primaryScreen) : Primary(primaryScreen) {
    SetResolution(320, 240);
}

void TSubScreenControler::SetResolution(std::int32_t resX, std::int32_t resY) {
    ResX = resX;
    ResY = resY;
    if (resY != 0) {
        Aspect = static_cast<double>(resX) / resY;
    } else if (Primary.height != 0) {
        Aspect = static_cast<double>(Primary.width) / Primary.height;
    }
    FitScreen();
}

void TSubScreenControler::FitScreen() {
    ScreenWidth = Primary.width;
    ScreenHeight = Primary.height;
    if (ResX == 0 || ResY == 0 || Aspect == 0.0) {
        return;
    }
    // The fitted side is computed from the exact ratio resX / resY, so that a script of the
    // screen's own ratio fills it (640 x 480 on 1024 x 768 gives 1024, not 1023).
    if (static_cast<double>(ScreenWidth) / ResX >= static_cast<double>(ScreenHeight) / ResY) {
        ScreenWidth = Clamp(static_cast<std::int64_t>(ScreenHeight) * ResX / ResY);
    } else {
        ScreenHeight = Clamp(static_cast<std::int64_t>(ScreenWidth) * ResY / ResX);
    }
    ComputeScale();
}

void TSubScreenControler::ComputeScale() {
    ScaleX = ScreenWidth != 0 ? static_cast<double>(ResX) / ScreenWidth : 1.0;
    ScaleY = ScreenHeight != 0 ? static_cast<double>(ResY) / ScreenHeight : 1.0;
    ComputeRects();
}

void TSubScreenControler::ComputeRects() {
    const auto span = [](std::int32_t a, std::int32_t b) { return Clamp(std::llabs(std::int64_t{a} - b)); };
    AreaWidth = span(Area.right, Area.left);
    AreaHeight = span(Area.top, Area.bottom);
    FrameWidth = span(Frame.right, Frame.left);
    FrameHeight = span(Frame.bottom, Frame.top);
    ScriptToScreenX(AreaWidth);
    ScriptToScreenY(AreaHeight);
    ScriptToScreenX(FrameWidth);
    ScriptToScreenY(FrameHeight);
}

void TSubScreenControler::ScriptToScreenX(std::int32_t& length) const {
    if (ScaleX != 0.0) {
        length = Truncate(length / ScaleX);
    }
}

void TSubScreenControler::ScriptToScreenY(std::int32_t& length) const {
    if (ScaleY != 0.0) {
        length = Truncate(length / ScaleY);
    }
}

void TSubScreenControler::SetFrameRect(std::int32_t top, std::int32_t left, std::int32_t width,
                                       std::int32_t height) {
    Frame = {left, top, Clamp(std::int64_t{left} + width), Clamp(std::int64_t{top} + height)};
    SetResolution(width, height);
    ComputeRects();
}

void TSubScreenControler::SetAreaRect(std::int32_t top, std::int32_t left, std::int32_t width,
                                      std::int32_t height) {
    Area = {left, top, Clamp(std::int64_t{left} + width), Clamp(std::int64_t{top} + height)};
}

std::int32_t TSubScreenControler::GetScreenWidth(bool frame) const {
    return frame ? FrameWidth : AreaWidth;
}

std::int32_t TSubScreenControler::GetScreenHeight(bool frame) const {
    return frame ? FrameHeight : AreaHeight;
}

std::int32_t TSubScreenControler::GetLeft(bool frame) const {
    return frame ? Frame.left : Area.left;
}

std::int32_t TSubScreenControler::GetTop(bool frame) const {
    return frame ? Frame.top : Area.top;
}

void TSubScreenControler::Assign(const TSubScreenControler& other) {
    if (&other != this) {
        *this = other;
    }
}
