#include "player/ui/skin/buttons/TTexHoverButton.h"

#include "player/ui/skin/buttons/SkinColours.h"

#include <QPainter>

namespace {

// The frame of the left strip whose last column colours the middle.
int MiddleFrame(TMyButtonState state) {
    switch (state) {
    case TMyButtonState::Disabled:
        return 1;
    case TMyButtonState::Down:
    case TMyButtonState::Exclusive:
        return 2;
    case TMyButtonState::Hover:
        return 4;
    case TMyButtonState::Up:
        break;
    }
    return 0;
}

} // namespace

TTexHoverButton::TTexHoverButton(QWidget* parent) : TWinHoverButton(parent) {}

void TTexHoverButton::MatchRightToLeft() {
    TButtonGlyph& left = LeftEngine();
    TButtonGlyph& right = RightEngine();
    right.SetFixedTransparentColour(left.TransparentColour());
    right.SetTransparent(left.Transparent());
}

void TTexHoverButton::SetLeftGlyph(const QImage& strip) {
    LeftEngine().SetGlyph(strip);
    MatchRightToLeft();
    update();
}

void TTexHoverButton::SetRightGlyph(const QImage& strip) {
    RightEngine().SetGlyph(strip);
    MatchRightToLeft();
    update();
}

void TTexHoverButton::SetTexTransparentGlyph(bool transparent) {
    LeftEngine().SetTransparent(transparent);
    MatchRightToLeft();
    update();
}

void TTexHoverButton::PaintContent(QPainter& painter, const QRect& inner, QPoint pressOffset) {
    TButtonGlyph& left = LeftEngine();
    TButtonGlyph& right = RightEngine();
    QString caption = Caption();
    if (HoverLook()) {
        painter.setFont(fontHover_);
        caption = ShownCaption();
        if (left.NumGlyphs() > 4 && state_ == TMyButtonState::Up) {
            state_ = TMyButtonState::Hover;
        }
    } else {
        painter.setFont(font());
    }
    TGlyphDrawArgs cap;
    cap.client = inner;
    cap.pressOffset = pressOffset;
    cap.state = state_;
    cap.transparent = left.Transparent();
    cap.textAbsolute = true;
    cap.layout = TMyButtonLayout::GlyphLeft;
    left.DrawTex(painter, cap);

    const QImage& strip = left.Glyph();
    const int capWidth = left.IsEmpty() ? 0 : strip.width() / left.NumGlyphs();
    const int x0 = capWidth - 1;
    const int rightCap = right.IsEmpty() ? 0 : right.Glyph().width() / right.NumGlyphs();
    const int x1 = inner.width() - rightCap;
    const int frame = std::min(MiddleFrame(state_), left.NumGlyphs() - 1);
    const int column = capWidth * (frame + 1) - 1;
    if (x0 > 0 && column < strip.width()) {
        for (int y = 0; y < inner.height() && y < strip.height(); ++y) {
            painter.setPen(QColor::fromRgb(strip.pixel(column, y)));
            painter.drawLine(x0, y, x1, y);
        }
    }

    cap.layout = TMyButtonLayout::GlyphRight;
    cap.transparent = right.Transparent();
    right.DrawTex(painter, cap);

    TGlyphDrawArgs text = cap;
    text.caption = caption;
    text.textX = TextX();
    text.textY = TextY();
    const TGlyphPlacement placement = left.CalcTextLayout(painter, text);
    painter.setPen(SkinColours::ToQColor(HoverLook() ? FontHoverColour() : FontColour()));
    left.DrawButtonText(painter, caption, CaptionColour(), 0, state_, placement.text);
}
