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
};

class ShapedTextCache {
public:
    static constexpr std::size_t kCapacity = 1024;

    // The cache of the calling thread.
    static ShapedTextCache& ForThisThread();

    // The entry for the text in the font (`fontKey` names the font with its spacing), shaped when new.
    // The least recently used entry goes when the cache is full.
    ShapedText& Get(const QFont& font, const QString& fontKey, const QString& text);
    // The entry's coverage mask, drawn when first asked for.
    static const QImage& MaskOf(ShapedText& shaped);
    std::size_t Size() const { return entries_.size(); }

private:
    struct Entry {
        QString key;
        ShapedText shaped;
    };
    std::list<Entry> entries_; // most recent first
    std::unordered_map<QString, std::list<Entry>::iterator> index_;
};

} // namespace plat::gdi
