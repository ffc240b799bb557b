#include "player/ui/skin/buttons/TButtonGlyph.h"

#include "player/ui/skin/buttons/SkinColours.h"
#include "player/ui/skin/buttons/TGlyphCache.h"
#include "player/ui/skin/buttons/TGlyphList.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

constexpr int kStateCount = 5;

int StateIndex(TMyButtonState state) {
    return static_cast<int>(state);
}

bool SameRgb(QRgb a, QRgb b) {
    return (a & 0xFFFFFFu) == (b & 0xFFFFFFu);
}

} // namespace

TButtonGlyph::TButtonGlyph() : transparentColour_(SkinColours::ToQColor(skincolour::kOlive)) {
    indexes_.fill(-1);
    TGlyphCache::Instance();
}

TButtonGlyph::~TButtonGlyph() {
    Invalidate();
    TGlyphCache::FreeWhenEmpty();
}

void TButtonGlyph::SetGlyph(const QImage& strip) {
    Invalidate();
    strip_ = strip.isNull() ? QImage() : strip.convertToFormat(QImage::Format_RGB32);
    if (!strip_.isNull() && strip_.height() >= 1) {
        transparentColour_ = StripTransparentColour();
        if (strip_.width() % strip_.height() == 0) {
            const int frames = strip_.width() / strip_.height();
            numGlyphs_ = frames < 5 ? std::max(frames, 1) : 1;
        }
    }
    StripChanged();
}

void TButtonGlyph::SeTMyNumGlyphs(int count) {
    if (count == numGlyphs_ || count == 0) {
        return;
    }
    Invalidate();
    numGlyphs_ = std::clamp(count, 1, kStateCount);
    StripChanged();
}

void TButtonGlyph::SetTransparent(bool transparent) {
    if (transparent == transparent_) {
        return;
    }
    transparent_ = transparent;
    StripChanged();
}

void TButtonGlyph::SetFixedTransparentColour(const QColor& colour) {
    fixedColour_ = colour;
    StripChanged();
}

void TButtonGlyph::SetImageListHandle(const TGlyphList* list) {
    imageList_ = list;
}

void TButtonGlyph::StripChanged() {
    if (!strip_.isNull()) {
        transparentColour_ = StripTransparentColour();
    }
    Invalidate();
    if (onChange_) {
        onChange_();
    }
}

QColor TButtonGlyph::StripTransparentColour() const {
    if (fixedColour_.isValid()) {
        return fixedColour_;
    }
    return QColor::fromRgb(strip_.pixel(0, strip_.height() - 1));
}

QColor TButtonGlyph::MaskColourForFrames() const {
    if (!transparent_) {
        return {};
    }
    return fixedColour_.isValid() ? transparentColour_
                                  : QColor::fromRgb(strip_.pixel(0, strip_.height() - 1));
}

void TButtonGlyph::Invalidate() {
    for (int& index : indexes_) {
        if (index >= 0 && list_ != nullptr) {
            list_->Delete(index);
        }
        index = -1;
    }
    if (list_ != nullptr) {
        TGlyphCache::Instance().ReleaseList(list_);
        list_ = nullptr;
    }
}

QSize TButtonGlyph::FrameSize() const {
    if (IsEmpty()) {
        return {0, 0};
    }
    return {strip_.width() / numGlyphs_, strip_.height()};
}

int TButtonGlyph::CreateButtonGlyph(TMyButtonState state) {
    if (state == TMyButtonState::Down && numGlyphs_ < 3) {
        state = TMyButtonState::Up;
    }
    int& index = indexes_[static_cast<std::size_t>(StateIndex(state))];
    if (index >= 0) {
        return index;
    }
    const QSize frame = FrameSize();
    if (frame.isEmpty()) {
        return -1;
    }
    if (list_ == nullptr) {
        list_ = TGlyphCache::Instance().FindOrCreateList(frame.width(), frame.height());
    }
    const int source = StateIndex(state) < numGlyphs_ ? StateIndex(state) : 0;
    if (state != TMyButtonState::Disabled) {
        const QImage cut = strip_.copy(source * frame.width(), 0, frame.width(), frame.height());
        index = list_->AddMasked(cut, MaskColourForFrames());
        return index;
    }
    const int disabledSource = numGlyphs_ > 1 ? 1 : 0;
    const QImage cut = strip_.copy(disabledSource * frame.width(), 0, frame.width(), frame.height());
    const QImage grey = SynthesiseDisabled(cut);
    index = list_->AddMasked(grey, QColor::fromRgb(grey.pixel(0, grey.height() - 1)));
    return index;
}

QImage TButtonGlyph::SynthesiseDisabled(const QImage& source) const {
    const QRgb face = SkinColours::ToQColor(skincolour::kBtnFace).rgb();
    const QRgb highlight = SkinColours::ToQColor(skincolour::kBtnHighlight).rgb();
    const QRgb shadow = SkinColours::ToQColor(skincolour::kBtnShadow).rgb();
    QImage result(source.size(), QImage::Format_RGB32);
    if (numGlyphs_ > 1) {
        // The strip's own disabled frame, recoloured to the system's face, highlight and shadow.
        for (int y = 0; y < source.height(); ++y) {
            for (int x = 0; x < source.width(); ++x) {
                const QRgb pixel = source.pixel(x, y);
                QRgb out = pixel;
                if (SameRgb(pixel, 0xFFFFFF)) {
                    out = highlight;
                } else if (SameRgb(pixel, 0x808080)) {
                    out = shadow;
                } else if (SameRgb(pixel, 0x000000)) {
                    out = face;
                }
                result.setPixel(x, y, out);
            }
        }
        return result;
    }
    // Embossed: the glyph's shape in highlight one pixel down and right, then in shadow in place.
    const QRgb transparent = transparentColour_.rgb();
    auto isGlyph = [&](int x, int y) {
        const QRgb pixel = source.pixel(x, y);
        return !SameRgb(pixel, transparent) && !SameRgb(pixel, 0xFFFFFF);
    };
    result.fill(face);
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            if (isGlyph(x, y) && x + 1 < result.width() && y + 1 < result.height()) {
                result.setPixel(x + 1, y + 1, highlight);
            }
        }
    }
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            if (isGlyph(x, y)) {
                result.setPixel(x, y, shadow);
            }
        }
    }
    return result;
}

QImage TButtonGlyph::FrameImage(TMyButtonState state) {
    const int index = CreateButtonGlyph(state);
    if (index < 0 || list_ == nullptr) {
        return {};
    }
    return list_->Image(index);
}

void TButtonGlyph::DrawButtonGlyph(QPainter& painter, QPoint position, bool transparent,
                                   TMyButtonState state) {
    const bool masked = transparent || state == TMyButtonState::Exclusive;
    QImage image;
    if (imageList_ != nullptr) {
        int slot = 0;
        if (state == TMyButtonState::Disabled) {
            slot = 1;
        } else if (state == TMyButtonState::Down || state == TMyButtonState::Exclusive) {
            slot = 2;
        } else if (state == TMyButtonState::Hover) {
            slot = 3;
        }
        image = imageList_->Image(slot);
    } else if (!IsEmpty()) {
        image = FrameImage(state);
    }
    if (image.isNull()) {
        return;
    }
    if (!masked) {
        painter.fillRect(QRect(position, image.size()), SkinColours::ToQColor(skincolour::kBtnFace));
    }
    painter.drawImage(position, image);
}

void TButtonGlyph::DrawButtonText(QPainter& painter, const QString& caption, skincolour::Value colour,
                                  int textFlags, TMyButtonState state, const QRect& bounds) const {
    if (colour != skincolour::kNone) {
        painter.setPen(SkinColours::ToQColor(colour));
    }
    const int flags = Qt::AlignCenter | Qt::TextShowMnemonic | textFlags;
    if (state == TMyButtonState::Disabled) {
        painter.save();
        painter.setPen(SkinColours::ToQColor(skincolour::kBtnHighlight));
        painter.drawText(bounds.translated(1, 1), flags, caption);
        painter.setPen(SkinColours::ToQColor(skincolour::kBtnShadow));
        painter.drawText(bounds, flags, caption);
        painter.restore();
        return;
    }
    painter.drawText(bounds, flags, caption);
}

QSize TButtonGlyph::MeasureText(const QPainter& painter, const QString& caption, int clientWidth) {
    if (caption.isEmpty()) {
        return {0, 0};
    }
    const QFontMetrics metrics(painter.font());
    return metrics
        .boundingRect(QRect(0, 0, std::max(clientWidth, 1), 0), Qt::AlignLeft | Qt::TextShowMnemonic, caption)
        .size();
}

TGlyphPlacement TButtonGlyph::PlaceGlyphAndText(const TGlyphDrawArgs& args, QSize glyph, QSize text) {
    const QSize client = args.client.size();
    TMyButtonLayout layout = args.layout;
    if (args.rightToLeft) {
        if (layout == TMyButtonLayout::GlyphLeft) {
            layout = TMyButtonLayout::GlyphRight;
        } else if (layout == TMyButtonLayout::GlyphRight) {
            layout = TMyButtonLayout::GlyphLeft;
        }
    }
    const bool horizontal = layout == TMyButtonLayout::GlyphLeft || layout == TMyButtonLayout::GlyphRight;
    QPoint glyphPos;
    QPoint textPos;
    if (horizontal) {
        glyphPos.setY((client.height() - glyph.height() + 1) / 2);
        textPos.setY((client.height() - text.height() + 1) / 2);
    } else {
        glyphPos.setX((client.width() - glyph.width() + 1) / 2);
        textPos.setX((client.width() - text.width() + 1) / 2);
    }
    int spacing = args.spacing;
    int margin = args.margin;
    if (text.width() == 0 || glyph.width() == 0) {
        spacing = 0;
    }
    if (args.textAbsolute) {
        textPos.setX(args.textX == -1 ? (client.width() - text.width() + 1) / 2 : args.textX);
        textPos.setY(args.textY == -1 ? (client.height() - text.height() + 1) / 2 : args.textY);
    }
    const int axis = horizontal ? client.width() : client.height();
    const int glyphAlong = horizontal ? glyph.width() : glyph.height();
    const int textAlong = horizontal ? text.width() : text.height();
    if (margin == -1 && spacing == -1) {
        margin = (axis - (glyphAlong + textAlong)) / 3;
        spacing = margin;
    } else if (margin == -1) {
        margin = (axis - glyphAlong - spacing - textAlong + 1) / 2;
    } else if (spacing == -1) {
        spacing = ((axis - (margin + glyphAlong)) - textAlong) / 2;
    }
    const bool nearEdge = layout == TMyButtonLayout::GlyphLeft || layout == TMyButtonLayout::GlyphTop;
    if (!args.textAbsolute) {
        const int glyphAt = nearEdge ? margin : axis - margin - glyphAlong;
        const int textAt = nearEdge ? glyphAt + glyphAlong + spacing : glyphAt - spacing - textAlong;
        if (horizontal) {
            glyphPos.setX(glyphAt);
            textPos.setX(textAt);
        } else {
            glyphPos.setY(glyphAt);
            textPos.setY(textAt);
        }
    } else if (horizontal) {
        glyphPos.setX(layout == TMyButtonLayout::GlyphLeft ? 0 : client.width() - glyph.width());
    } else {
        glyphPos.setY(0);
    }
    const QPoint offset(args.pressOffset.x(), args.pressOffset.x());
    TGlyphPlacement placement;
    placement.glyph = glyphPos + args.client.topLeft() + offset;
    placement.text = QRect(args.client.topLeft() + textPos + offset, text);
    return placement;
}

TGlyphPlacement TButtonGlyph::CalcButtonLayout(const QPainter& painter, const TGlyphDrawArgs& args) const {
    const QSize glyph =
        imageList_ != nullptr ? QSize(imageList_->Width(), imageList_->Height()) : FrameSize();
    return PlaceGlyphAndText(args, glyph, MeasureText(painter, args.caption, args.client.width()));
}

TGlyphPlacement TButtonGlyph::CalcTextLayout(const QPainter& painter, const TGlyphDrawArgs& args) const {
    return PlaceGlyphAndText(args, QSize(0, 0), MeasureText(painter, args.caption, args.client.width()));
}

QRect TButtonGlyph::Draw(QPainter& painter, const TGlyphDrawArgs& args) {
    const TGlyphPlacement placement = CalcButtonLayout(painter, args);
    DrawButtonGlyph(painter, placement.glyph, args.transparent, args.state);
    DrawButtonText(painter, args.caption, args.captionColour, 0, args.state, placement.text);
    return placement.text;
}

void TButtonGlyph::DrawTex(QPainter& painter, const TGlyphDrawArgs& args) {
    const TGlyphPlacement placement = CalcButtonLayout(painter, args);
    DrawButtonGlyph(painter, placement.glyph, args.transparent, args.state);
}
