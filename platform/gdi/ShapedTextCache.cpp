#include "platform/gdi/ShapedTextCache.h"

#include <QPainter>
#include <QTextLayout>

namespace plat::gdi {

namespace {

ShapedText ShapeText(const QFont& font, const QString& text) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setPosition(QPointF(0, 0));
    layout.endLayout();
    ShapedText shaped;
    shaped.ascent = line.ascent();
    shaped.runs = layout.glyphRuns();
    QRectF bounds(0, 0, line.horizontalAdvance(), line.ascent() + line.descent());
    for (const QGlyphRun& run : shaped.runs) {
        bounds |= run.boundingRect();
    }
    shaped.bounds = bounds.translated(0, -shaped.ascent).toAlignedRect().adjusted(-1, -1, 1, 1);
    return shaped;
}

} // namespace

ShapedTextCache& ShapedTextCache::ForThisThread() {
    thread_local ShapedTextCache cache;
    return cache;
}

ShapedText& ShapedTextCache::Get(const QFont& font, const QString& fontKey, const QString& text) {
    QString key = fontKey;
    key += QChar(0x1F);
    key += text;
    if (const auto found = index_.find(key); found != index_.end()) {
        entries_.splice(entries_.begin(), entries_, found->second);
        return found->second->shaped;
    }
    if (entries_.size() >= kCapacity) {
        bytes_ -= entries_.back().shaped.Bytes();
        index_.erase(entries_.back().key);
        entries_.pop_back();
    }
    entries_.push_front(Entry{key, ShapeText(font, text)});
    index_.emplace(key, entries_.begin());
    return entries_.front().shaped;
}

void ShapedTextCache::Recharge(std::size_t before, std::size_t after) {
    bytes_ = bytes_ - before + after;
    while (bytes_ > kByteBudget && entries_.size() > 1) {
        bytes_ -= entries_.back().shaped.Bytes();
        index_.erase(entries_.back().key);
        entries_.pop_back();
    }
}

const QImage& ShapedTextCache::MaskOf(ShapedText& shaped) {
    if (shaped.mask.isNull()) {
        shaped.mask = QImage(shaped.bounds.size(), QImage::Format_Alpha8);
        shaped.mask.fill(0);
        QPainter painter(&shaped.mask);
        painter.setPen(Qt::black);
        for (const QGlyphRun& run : shaped.runs) {
            painter.drawGlyphRun(QPointF(-shaped.bounds.left(), -shaped.bounds.top() - shaped.ascent), run);
        }
    }
    return shaped.mask;
}

} // namespace plat::gdi
