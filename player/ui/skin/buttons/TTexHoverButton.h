#pragma once
// A windowed hover button painted from a texture: a left cap, a right cap and a middle stretched from
// the left cap's last column, with the caption placed by TextX and TextY over it.
#include "player/ui/skin/buttons/TWinHoverButton.h"

class TTexHoverButton : public TWinHoverButton {
    Q_OBJECT
public:
    explicit TTexHoverButton(QWidget* parent = nullptr);

    void SetLeftGlyph(const QImage& strip);
    // The right strip takes the left strip's transparent colour, fixed.
    void SetRightGlyph(const QImage& strip);
    void SetTexTransparentGlyph(bool transparent);
    const QImage& LeftGlyph() { return LeftEngine().Glyph(); }
    const QImage& RightGlyph() { return RightEngine().Glyph(); }

protected:
    void PaintContent(QPainter& painter, const QRect& inner, QPoint pressOffset) override;
    void MatchRightToLeft();
};
