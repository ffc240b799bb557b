#pragma once
// What the glyph engine needs to place and draw a glyph and its caption inside a button.
#include "player/ui/skin/buttons/ButtonTypes.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

struct TGlyphDrawArgs {
    QRect client;
    QPoint pressOffset;
    QString caption;
    TMyButtonLayout layout = TMyButtonLayout::GlyphLeft;
    int margin = -1;
    int spacing = 4;
    TMyButtonState state = TMyButtonState::Up;
    bool transparent = false;
    bool rightToLeft = false;
    bool textAbsolute = false;
    int textX = -1;
    int textY = -1;
    // The caption's colour when valid, else the painter's pen colour.
    skincolour::Value captionColour = skincolour::kNone;
};

// Where the glyph's top-left corner and the caption's bounds end up.
struct TGlyphPlacement {
    QPoint glyph;
    QRect text;
};
