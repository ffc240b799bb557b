#include "platform/testing/FixedAdvanceDc.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

class FixedAdvanceDc::FixedFont : public plat::gdi::Font {
public:
    FixedFont(std::int32_t pixels, std::int32_t& alive) : pixels_(pixels), alive_(alive) { ++alive_; }
    ~FixedFont() override { --alive_; }
    std::int32_t Pixels() const { return pixels_; }

private:
    std::int32_t pixels_;
    std::int32_t& alive_;
};

FixedAdvanceDc::FixedAdvanceDc(std::int32_t advance, std::int32_t height, std::int32_t reference)
    : advance_(advance), height_(height), reference_(reference) {}

std::unique_ptr<plat::gdi::Font> FixedAdvanceDc::CreateFont(const plat::gdi::LogFont& logFont) {
    fontsMade_.push_back(logFont);
    const std::int32_t pixels =
        logFont.height == 0 ? reference_ : std::abs(std::max(logFont.height, -INT32_MAX));
    return std::make_unique<FixedFont>(pixels, fontsAlive_);
}

plat::gdi::Font* FixedAdvanceDc::SelectFont(plat::gdi::Font* font) {
    plat::gdi::Font* previous = font_;
    if (auto* fixed = dynamic_cast<FixedFont*>(font)) {
        font_ = fixed;
    }
    return previous;
}

std::int32_t FixedAdvanceDc::Pixels() const {
    return font_ != nullptr ? font_->Pixels() : 0;
}

plat::gdi::Size FixedAdvanceDc::GetTextExtent(std::u16string_view text) {
    if (font_ == nullptr) {
        return {};
    }
    const auto held = [](std::int64_t value) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
    };
    const auto count = static_cast<std::int64_t>(text.size());
    return {held(count * (std::int64_t{advance_} * Pixels() / reference_ + extra_)),
            held(std::int64_t{height_} * Pixels() / reference_)};
}

void FixedAdvanceDc::TextOut(std::int32_t x, std::int32_t y, std::u16string_view text) {
    textCalls_.push_back(
        {x, y, std::u16string(text), textColour_, bkMode_ == plat::gdi::BkMode::Opaque, 0, 0, Pixels()});
}

void FixedAdvanceDc::PolyTextOut(std::int32_t x, std::int32_t y, std::u16string_view text,
                                 std::span<const plat::gdi::Point> offsets) {
    for (const plat::gdi::Point& offset : offsets) {
        TextOut(plat::gdi::SaturatedAdd(x, offset.x), plat::gdi::SaturatedAdd(y, offset.y), text);
    }
}

void FixedAdvanceDc::StrokeTextPath(std::int32_t x, std::int32_t y, std::u16string_view text,
                                    std::int32_t penWidth, plat::gdi::ColourRef penColour,
                                    plat::gdi::ColourRef fillColour) {
    textCalls_.push_back({x, y, std::u16string(text), fillColour, false, penWidth, penColour, Pixels()});
}

void FixedAdvanceDc::FillRect(const plat::gdi::Rect&, plat::gdi::ColourRef) {}

void FixedAdvanceDc::StretchBitmap(const plat::gdi::Rect& destination, const plat::gdi::Bitmap&) {
    bitmapCalls_.push_back(destination);
}
