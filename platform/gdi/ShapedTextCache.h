#pragma once
// Words shaped in a font, kept across drawings on one thread: subtitle pages are redrawn many times
// with the same words, and their outlines and shadows draw each word many times over. An entry keeps
// the word's glyphs, its coverage mask and the merged coverage of the last set of copies drawn.
#include "platform/gdi/Geometry.h"

#include <QFont>
#include <QGlyphRun>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

#include <cstdint>
#include <list>
#include <unordered_map>
#include <vector>

namespace plat::gdi {

struct ShapedText {
    QList<QGlyphRun> runs; // positioned from the line's top
    qreal ascent = 0;
    QRect bounds; // relative to the baseline origin, whole pixels
    QImage mask;  // coverage (Alpha8) of `bounds`, made when copies are first drawn
    // The merged coverage of the copies last drawn (one byte a pixel) and where it lies relative to
    // the baseline origin.
    std::vector<Point> copyOffsets;
    std::vector<std::uint8_t> copyCoverage;
    QRect copyBounds;

    std::size_t Bytes() const { return static_cast<std::size_t>(mask.sizeInBytes()) + copyCoverage.size(); }
};

class ShapedTextCache {
public:
    static constexpr std::size_t kCapacity = 1024;
    // Masks and merged coverage held at most, beyond the entry in use.
    static constexpr std::size_t kByteBudget = 64u << 20;
    // Words whose mask would be larger than this many pixels are not merged (see ImageDc).
    static constexpr std::int64_t kMaxMaskPixels = 1 << 20;

    // The cache of the calling thread.
    static ShapedTextCache& ForThisThread();

    // The entry for the text in the font (`fontKey` names the font with its spacing), shaped when new.
    // The least recently used entry goes when the cache is full.
    ShapedText& Get(const QFont& font, const QString& fontKey, const QString& text);
    // The entry's coverage mask, drawn when first asked for.
    static const QImage& MaskOf(ShapedText& shaped);
    // Tells the cache that the most recently used entry now holds `before` bytes less or more than it
    // did; older entries go while the cache holds more than its budget.
    void Recharge(std::size_t before, std::size_t after);
    std::size_t Size() const { return entries_.size(); }
    std::size_t Bytes() const { return bytes_; }

private:
    struct Entry {
        QString key;
        ShapedText shaped;
    };
    std::list<Entry> entries_; // most recent first
    std::unordered_map<QString, std::list<Entry>::iterator> index_;
    std::size_t bytes_ = 0;
};

} // namespace plat::gdi
