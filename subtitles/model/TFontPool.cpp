#include "subtitles/model/TFontPool.h"

#include "subtitles/model/FixedText.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

constexpr std::int32_t kBoldWeight = 700;
constexpr std::size_t kFaceNameUnits = sizeof(TFontDescription::faceName) / sizeof(char16_t);

// size x 96 / 72 rounded to nearest, as MulDiv rounds, held to the 32-bit range.
std::int32_t PointsToPixels(std::int32_t points) {
    const std::int64_t scaled = std::int64_t{points} * 96;
    const std::int64_t half = TFontPool::kPointsPerInch / 2;
    const std::int64_t pixels = (scaled >= 0 ? scaled + half : scaled - half) / TFontPool::kPointsPerInch;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(pixels, INT32_MIN + 1, INT32_MAX));
}

} // namespace

TFontPool::TFontPool(plat::gdi::TextMeasurer* measurer) : measurer_(measurer) {}

TFontPool::~TFontPool() {
    Reset(measurer_);
}

void TFontPool::Reset(plat::gdi::TextMeasurer* measurer) {
    if (measurer_ != nullptr && selected_) {
        measurer_->SelectFont(firstFont_);
    }
    selected_ = false;
    firstFont_ = nullptr;
    entries_.clear();
    measurer_ = measurer;
}

void TFontPool::SelectFont(const TFontDescription& description) {
    if (measurer_ == nullptr) {
        return;
    }
    Entry* found = nullptr;
    for (Entry& entry : entries_) {
        if (std::memcmp(&entry.description, &description, sizeof description) == 0) {
            found = &entry;
            break;
        }
    }
    if (found == nullptr) {
        std::unique_ptr<plat::gdi::Font> font = CreateFontFor(description);
        if (font == nullptr) {
            return;
        }
        found = &entries_.emplace_back(Entry{description, std::move(font)});
    }
    plat::gdi::Font* previous = measurer_->SelectFont(found->font.get());
    if (!selected_) {
        firstFont_ = previous;
        selected_ = true;
    }
    if (entries_.size() > kMaxFonts) {
        entries_.pop_front(); // the newest is selected, never the oldest
    }
}

plat::gdi::LogFont TFontPool::LogFontFor(const TFontDescription& description) {
    plat::gdi::LogFont logFont;
    logFont.height = -PointsToPixels(description.size);
    logFont.width = description.width;
    logFont.escapement = description.escapement;
    logFont.weight = description.weight == 1 || description.weight < 0 ? kBoldWeight : description.weight;
    logFont.italic = description.italic != 0;
    logFont.underline = description.underline != 0;
    logFont.strikeOut = description.strikeOut != 0;
    logFont.charSet = description.charSet != 0 ? description.charSet : 1;
    logFont.faceName = std::u16string(FixedTextView(description.faceName, kFaceNameUnits));
    return logFont;
}

std::unique_ptr<plat::gdi::Font> TFontPool::CreateFontFor(const TFontDescription& description) {
    return measurer_ != nullptr ? measurer_->CreateFont(LogFontFor(description)) : nullptr;
}
