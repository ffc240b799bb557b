#pragma once
// A small cache of fonts for one text measurer or device context: a font is made once per distinct
// description and reused; at most ten stay alive, the oldest made going first. The pool also carries
// the drawing overrides of the pass it serves.
#include "platform/gdi/TextMeasurer.h"
#include "subtitles/model/TDrawOverrides.h"
#include "subtitles/model/TFontDescription.h"

#include <cstddef>
#include <deque>
#include <memory>

class TFontPool {
public:
    static constexpr std::size_t kMaxFonts = 10;
    static constexpr std::int32_t kPointsPerInch = 72;

    explicit TFontPool(plat::gdi::TextMeasurer* measurer);
    ~TFontPool();
    TFontPool(const TFontPool&) = delete;
    TFontPool& operator=(const TFontPool&) = delete;

    // Selects the font the context had before the pool's first selection back into it, deletes every
    // cached font and binds the pool to `measurer`.
    void Reset(plat::gdi::TextMeasurer* measurer);
    // Selects the font for the description (made when no identical description is cached); a font that
    // cannot be made leaves the current one selected.
    void SelectFont(const TFontDescription& description);
    // The logical font a description stands for at the fixed 96 pixels per inch.
    static plat::gdi::LogFont LogFontFor(const TFontDescription& description);
    std::unique_ptr<plat::gdi::Font> CreateFontFor(const TFontDescription& description);

    plat::gdi::TextMeasurer* Measurer() const { return measurer_; }
    std::size_t Count() const { return entries_.size(); }
    const TDrawOverrides& Overrides() const { return overrides_; }
    void SetOverrides(const TDrawOverrides& overrides) { overrides_ = overrides; }

private:
    struct Entry {
        TFontDescription description;
        std::unique_ptr<plat::gdi::Font> font;
    };

    plat::gdi::TextMeasurer* measurer_;
    plat::gdi::Font* firstFont_ = nullptr;
    bool selected_ = false;
    std::deque<Entry> entries_;
    TDrawOverrides overrides_;
};
