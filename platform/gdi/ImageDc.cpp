#include "platform/gdi/ImageDc.h"

#include <QGuiApplication>
#include <QPainterPath>

#include <algorithm>
#include <cstdlib>

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

// A Qt font with its metrics, and the same font with the last character spacing asked for.
class ImageDc::QtFont : public Font {
public:
    explicit QtFont(const QFont& font) : base_(font), spaced_(font), metrics_(font) {}

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
    }
    const QFont& Spaced() const { return spaced_; }
    const QFontMetrics& Metrics() const { return metrics_; }

private:
    QFont base_;
    QFont spaced_;
    QFontMetrics metrics_;
    std::int32_t extra_ = 0;
};

ImageDc::ImageDc(QImage& image) : image_(image) {
    painter_.begin(&image_);
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

Font* ImageDc::SelectFont(Font* font) {
    Font* previous = font_;
    if (auto* qtFont = dynamic_cast<QtFont*>(font)) {
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

std::int32_t ImageDc::Baseline(std::int32_t y) {
    const QFontMetrics* metrics = CurrentMetrics();
    return align_ == TextAlign::Bottom ? y - metrics->descent() : y + metrics->ascent();
}

void ImageDc::TextOut(std::int32_t x, std::int32_t y, std::u16string_view text) {
    const QFont* font = CurrentFont();
    if (font == nullptr || text.empty()) {
        return;
    }
    const QString string = ToQString(text);
    const std::int32_t baseline = Baseline(y);
    if (bkMode_ == BkMode::Opaque) {
        const QFontMetrics& metrics = font_->Metrics();
        painter_.fillRect(QRect(x, baseline - metrics.ascent(), metrics.horizontalAdvance(string),
                                metrics.ascent() + metrics.descent()),
                          ToQColor(bkColour_));
    }
    painter_.setFont(*font);
    painter_.setPen(ToQColor(textColour_));
    painter_.drawText(QPoint(x, baseline), string);
}

void ImageDc::StrokeTextPath(std::int32_t x, std::int32_t y, std::u16string_view text, std::int32_t penWidth,
                             ColourRef penColour, ColourRef fillColour) {
    const QFont* font = CurrentFont();
    if (font == nullptr || text.empty()) {
        return;
    }
    QPainterPath path;
    path.addText(QPointF(x, Baseline(y)), *font, ToQString(text));
    painter_.setPen(QPen(ToQColor(penColour), std::max(penWidth, 1), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter_.setBrush(ToQColor(fillColour));
    painter_.drawPath(path);
    painter_.setBrush(Qt::NoBrush);
}

void ImageDc::FillRect(const Rect& rect, ColourRef colour) {
    if (!rect.IsEmpty()) {
        painter_.fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()), ToQColor(colour));
    }
}

void ImageDc::StretchBitmap(const Rect& destination, const Bitmap& bitmap) {
    if (destination.IsEmpty() || bitmap.width <= 0 || bitmap.height <= 0 ||
        bitmap.pixels.size() != static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height)) {
        return;
    }
    const QImage source(reinterpret_cast<const uchar*>(bitmap.pixels.data()), bitmap.width, bitmap.height,
                        static_cast<qsizetype>(bitmap.width) * 4, QImage::Format_ARGB32);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter_.drawImage(QRect(destination.left, destination.top, destination.Width(), destination.Height()), source);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

} // namespace plat::gdi
