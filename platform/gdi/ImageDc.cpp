#include "platform/gdi/ImageDc.h"

#include "platform/gdi/ShapedTextCache.h"

#include <QGuiApplication>
#include <QPainterPath>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace plat::gdi {

namespace {

constexpr std::int32_t kDefaultFontPixels = 16;
constexpr std::size_t kMaxFaceNameChars = 31;

QString ToQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

QColor ToQColor(ColourRef colour) {
    return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

bool HaveGuiApplication() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

} // namespace

// A Qt font with its metrics, and the same font with the last character spacing asked for, with the
// key its shaped words are cached under.
class ImageDc::QtFont : public Font {
public:
    explicit QtFont(const QFont& font)
        : base_(font), spaced_(font), metrics_(font), key_(font.key() + QChar(0x1F) + QString::number(0)) {}

    void SetExtra(std::int32_t extra) {
        if (extra == extra_) {
            return;
        }
        extra_ = extra;
        spaced_ = base_;
        if (extra != 0) {
            spaced_.setLetterSpacing(QFont::AbsoluteSpacing, extra);
        }
        metrics_ = QFontMetrics(spaced_);
        key_ = spaced_.key() + QChar(0x1F) + QString::number(extra);
    }
    const QFont& Spaced() const { return spaced_; }
    const QString& Key() const { return key_; }
    const QFontMetrics& Metrics() const { return metrics_; }

private:
    QFont base_;
    QFont spaced_;
    QFontMetrics metrics_;
    QString key_;
    std::int32_t extra_ = 0;
};

// Painting detaches the image, so its pixels are this context's own until the painter ends.
ImageDc::ImageDc(QImage& image) : image_(image) {
    if (image_.format() != QImage::Format_ARGB32_Premultiplied) {
        image_.convertTo(QImage::Format_ARGB32_Premultiplied);
    }
    painter_.begin(&image_);
    pixels_ = image_.bits();
    bytesPerLine_ = image_.bytesPerLine();
}

ImageDc::~ImageDc() {
    painter_.end();
}

// GDI's height rule: negative is the em size, positive the cell size, which Qt reaches by scaling
// the em size by em / cell of the face.
std::unique_ptr<Font> ImageDc::CreateFont(const LogFont& logFont) {
    if (!HaveGuiApplication()) {
        return nullptr;
    }
    QFont font(ToQString(std::u16string_view(logFont.faceName).substr(0, kMaxFaceNameChars)));
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferOutline));
    font.setHintingPreference(QFont::PreferFullHinting);
    const auto clampPixels = [](std::int64_t pixels) {
        return static_cast<int>(std::clamp<std::int64_t>(pixels, 1, kMaxFontPixels));
    };
    if (logFont.height < 0) {
        font.setPixelSize(clampPixels(-std::int64_t{logFont.height}));
    } else if (logFont.height > 0) {
        const int cell = clampPixels(logFont.height);
        font.setPixelSize(cell);
        const QFontMetrics metrics(font);
        const int faceCell = std::max(1, metrics.ascent() + metrics.descent());
        font.setPixelSize(clampPixels(std::int64_t{cell} * cell / faceCell));
    } else {
        font.setPixelSize(kDefaultFontPixels);
    }
    if (logFont.weight > 0) {
        font.setWeight(QFont::Weight(std::clamp(logFont.weight, 1, 1000)));
    }
    font.setItalic(logFont.italic);
    font.setUnderline(logFont.underline);
    font.setStrikeOut(logFont.strikeOut);
    if (logFont.width > 0) {
        const QFontMetrics metrics(font);
        const int average = std::max(1, metrics.averageCharWidth());
        font.setStretch(std::clamp(logFont.width * 100 / average, 1, 4000));
    }
    return std::make_unique<QtFont>(font);
}

// Selecting none leaves no font selected, so that a font pool that hands back what it found leaves
// nothing it deletes behind.
Font* ImageDc::SelectFont(Font* font) {
    Font* previous = font_;
    if (font == nullptr) {
        font_ = nullptr;
    } else if (auto* qtFont = dynamic_cast<QtFont*>(font)) {
        font_ = qtFont;
    }
    return previous;
}

void ImageDc::SetTextCharacterExtra(std::int32_t extra) {
    extra_ = extra;
}

const QFont* ImageDc::CurrentFont() {
    if (font_ == nullptr) {
        return nullptr;
    }
    font_->SetExtra(extra_);
    return &font_->Spaced();
}

const QFontMetrics* ImageDc::CurrentMetrics() {
    return CurrentFont() != nullptr ? &font_->Metrics() : nullptr;
}

Size ImageDc::GetTextExtent(std::u16string_view text) {
    const QFontMetrics* metrics = CurrentMetrics();
    if (metrics == nullptr) {
        return {};
    }
    return {metrics->horizontalAdvance(ToQString(text)), metrics->ascent() + metrics->descent()};
}

std::int64_t ImageDc::Baseline(std::int32_t y) {
    const QFontMetrics* metrics = CurrentMetrics();
    return align_ == TextAlign::Bottom ? std::int64_t{y} - metrics->descent()
                                       : std::int64_t{y} + metrics->ascent();
}

QRect ImageDc::OnPicture(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height) const {
    const std::int64_t right = std::min<std::int64_t>(left + width, image_.width());
    const std::int64_t bottom = std::min<std::int64_t>(top + height, image_.height());
    left = std::max<std::int64_t>(left, 0);
    top = std::max<std::int64_t>(top, 0);
    if (right <= left || bottom <= top) {
        return {};
    }
    return QRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                 static_cast<int>(bottom - top));
}

ShapedText& ImageDc::Shape(const QString& text) {
    return ShapedTextCache::ForThisThread().Get(font_->Spaced(), font_->Key(), text);
}

void ImageDc::MergeCopies(ShapedText& shaped, std::span<const Point> offsets) {
    if (!shaped.copyCoverage.empty() &&
        std::equal(offsets.begin(), offsets.end(), shaped.copyOffsets.begin(), shaped.copyOffsets.end())) {
        return;
    }
    const QImage& mask = ShapedTextCache::MaskOf(shaped);
    const auto [minX, maxX] = std::minmax_element(offsets.begin(), offsets.end(),
                                                  [](const Point& a, const Point& b) { return a.x < b.x; });
    const auto [minY, maxY] = std::minmax_element(offsets.begin(), offsets.end(),
                                                  [](const Point& a, const Point& b) { return a.y < b.y; });
    const int maskWidth = mask.width();
    const int maskHeight = mask.height();
    const int width = maskWidth + (maxX->x - minX->x);
    const int height = maskHeight + (maxY->y - minY->y);
    std::vector<std::uint8_t> coverage(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    for (const Point& offset : offsets) {
        const int left = offset.x - minX->x;
        const int top = offset.y - minY->y;
        for (int row = 0; row < maskHeight; ++row) {
            const std::uint8_t* from = mask.constScanLine(row);
            std::uint8_t* to = coverage.data() + static_cast<std::size_t>(top + row) * width + left;
            for (int column = 0; column < maskWidth; ++column) {
                to[column] |= from[column];
            }
        }
    }
    shaped.copyOffsets.assign(offsets.begin(), offsets.end());
    shaped.copyCoverage = std::move(coverage);
    shaped.copyBounds = QRect(shaped.bounds.left() + minX->x, shaped.bounds.top() + minY->y, width, height);
}

// Every copy's coverage is or-ed into one mask, row by row (kept with the word for the next drawing),
// and the covered pixels are written once in the text colour.
void ImageDc::PolyTextOut(std::int32_t x, std::int32_t y, std::u16string_view text,
                          std::span<const Point> offsets) {
    const QFont* font = CurrentFont();
    if (font == nullptr || text.empty() || offsets.empty()) {
        return;
    }
    if (bkMode_ == BkMode::Opaque) {
        for (const Point& offset : offsets) {
            TextOut(SaturatedAdd(x, offset.x), SaturatedAdd(y, offset.y), text);
        }
        return;
    }
    const std::int64_t baseline = Baseline(y);
    ShapedText& shaped = Shape(ToQString(text));
    if (std::int64_t{shaped.bounds.width()} * shaped.bounds.height() > ShapedTextCache::kMaxMaskPixels) {
        for (const Point& offset : offsets) { // huge text: copy by copy, clipped by the painter
            TextOut(SaturatedAdd(x, offset.x), SaturatedAdd(y, offset.y), text);
        }
        return;
    }
    const std::size_t before = shaped.Bytes();
    MergeCopies(shaped, offsets);
    ShapedTextCache::ForThisThread().Recharge(before, shaped.Bytes());
    const QRect& box = shaped.copyBounds;
    const std::int64_t left = std::int64_t{x} + box.left();
    const std::int64_t top = baseline + box.top();
    const QRect target = OnPicture(left, top, box.width(), box.height());
    if (target.isEmpty()) {
        return;
    }
    // Opaque colour over 32-bit pixels: the covered pixels are written directly.
    const QRgb colour = ToQColor(textColour_).rgba();
    const std::size_t width = static_cast<std::size_t>(box.width());
    for (int row = target.top(); row <= target.bottom(); ++row) {
        auto* line =
            reinterpret_cast<QRgb*>(pixels_ + static_cast<qsizetype>(row) * bytesPerLine_) + target.left();
        const std::uint8_t* covered = shaped.copyCoverage.data() +
                                      static_cast<std::size_t>(row - top) * width +
                                      static_cast<std::size_t>(target.left() - left);
        for (int column = 0; column < target.width(); ++column) {
            if (covered[column] != 0) {
                line[column] = colour;
            }
        }
    }
    AddPainted(target);
}

void ImageDc::TextOut(std::int32_t x, std::int32_t y, std::u16string_view text) {
    const QFont* font = CurrentFont();
    if (font == nullptr || text.empty()) {
        return;
    }
    const QString string = ToQString(text);
    const std::int64_t baseline = Baseline(y);
    ShapedText& shaped = Shape(string);
    if (bkMode_ == BkMode::Opaque) {
        const QFontMetrics& metrics = font_->Metrics();
        const QRect cell = OnPicture(x, baseline - metrics.ascent(), metrics.horizontalAdvance(string),
                                     metrics.ascent() + metrics.descent());
        if (!cell.isEmpty()) {
            painter_.fillRect(cell, ToQColor(bkColour_));
            AddPainted(cell);
        }
    }
    const QRect& box = shaped.bounds;
    const QRect target =
        OnPicture(std::int64_t{x} + box.left(), baseline + box.top(), box.width(), box.height());
    if (target.isEmpty()) {
        return;
    }
    painter_.setPen(ToQColor(textColour_));
    const QPointF origin(x, static_cast<qreal>(baseline) - shaped.ascent);
    for (const QGlyphRun& run : shaped.runs) {
        painter_.drawGlyphRun(origin, run);
    }
    AddPainted(target);
}

void ImageDc::StrokeTextPath(std::int32_t x, std::int32_t y, std::u16string_view text, std::int32_t penWidth,
                             ColourRef penColour, ColourRef fillColour) {
    const QFont* font = CurrentFont();
    if (font == nullptr || text.empty()) {
        return;
    }
    QPainterPath path;
    path.addText(QPointF(x, static_cast<qreal>(Baseline(y))), *font, ToQString(text));
    const qreal reach = std::max(penWidth, 1) / 2.0 + 1;
    const QRectF bounds = path.boundingRect().adjusted(-reach, -reach, reach, reach);
    const QRect target = OnPicture(static_cast<std::int64_t>(std::floor(bounds.left())),
                                   static_cast<std::int64_t>(std::floor(bounds.top())),
                                   static_cast<std::int64_t>(std::ceil(bounds.width())) + 1,
                                   static_cast<std::int64_t>(std::ceil(bounds.height())) + 1);
    if (target.isEmpty()) {
        return;
    }
    painter_.setPen(
        QPen(ToQColor(penColour), std::max(penWidth, 1), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter_.setBrush(ToQColor(fillColour));
    painter_.drawPath(path);
    painter_.setBrush(Qt::NoBrush);
    AddPainted(target);
}

void ImageDc::FillRect(const Rect& rect, ColourRef colour) {
    const QRect target = OnPicture(rect.left, rect.top, rect.Width(), rect.Height());
    if (!target.isEmpty()) {
        painter_.fillRect(target, ToQColor(colour));
        AddPainted(target);
    }
}

void ImageDc::StretchBitmap(const Rect& destination, const Bitmap& bitmap) {
    if (destination.IsEmpty() || bitmap.width <= 0 || bitmap.height <= 0 ||
        bitmap.pixels.size() !=
            static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height)) {
        return;
    }
    // The target's edges are 32-bit, so its sides fit QRect once it reaches the picture at all.
    if (OnPicture(destination.left, destination.top, destination.Width(), destination.Height()).isEmpty() ||
        destination.Width() > INT32_MAX || destination.Height() > INT32_MAX) {
        return;
    }
    const QImage source(reinterpret_cast<const uchar*>(bitmap.pixels.data()), bitmap.width, bitmap.height,
                        static_cast<qsizetype>(bitmap.width) * 4, QImage::Format_ARGB32);
    const QRect target(destination.left, destination.top, static_cast<int>(destination.Width()),
                       static_cast<int>(destination.Height()));
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter_.drawImage(target, source);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    AddPainted(target);
}

void ImageDc::AddPainted(const QRect& rect) {
    painted_ |= rect.intersected(image_.rect());
}

Rect ImageDc::PaintedBounds() const {
    if (painted_.isEmpty()) {
        return {};
    }
    return {painted_.left(), painted_.top(), painted_.right() + 1, painted_.bottom() + 1};
}

} // namespace plat::gdi
