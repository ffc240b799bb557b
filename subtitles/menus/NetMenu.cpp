#include "subtitles/menus/NetMenu.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace netmenu {

QFont NetMenuFont(bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(11); // 8 points at 96 dots per inch
    font.setBold(bold);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

} // namespace netmenu

namespace {

using namespace netmenu;

constexpr int kCornerRadius = 5; // a 10 x 10 corner

void RoundRect(QPainter& canvas, const QRect& rect, const QColor& fill, const QColor& outline) {
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setPen(outline);
    canvas.setBrush(fill);
    canvas.drawRoundedRect(rect.adjusted(0, 0, -1, -1), kCornerRadius, kCornerRadius);
    canvas.restore();
}

// Tab stops every 8 average characters, as menu text expands them.
int TabStop(const QFontMetrics& metrics) {
    return 8 * metrics.averageCharWidth();
}

bool IsSeparator(const NetMenuItem& item) {
    return item.Caption == u"-";
}

bool HasImageGlyph(const NetMenuItem& item) {
    return item.ImageListSize.isValid() && !item.Glyph.isNull();
}

bool HasGlyph(const NetMenuItem& item) {
    return HasImageGlyph(item) || !item.Bitmap.isNull() || item.Checked;
}

QSize GlyphSize(const NetMenuItem& item) {
    return item.ImageListSize.isValid() ? item.ImageListSize : QSize(kBitmapGlyphSize, kBitmapGlyphSize);
}

// A checkerboard of the frame colour and the selected fill, one pixel per square.
QBrush Checkerboard() {
    QImage board(2, 2, QImage::Format_RGB32);
    board.setPixelColor(0, 0, kFrame);
    board.setPixelColor(1, 1, kFrame);
    board.setPixelColor(1, 0, kSelectedFill);
    board.setPixelColor(0, 1, kSelectedFill);
    return QBrush(board);
}

void DrawCheckMark(QPainter& canvas, const QRect& box) {
    const QPoint centre = box.center();
    QPainterPath tick;
    tick.moveTo(centre.x() - 3, centre.y() - 1);
    tick.lineTo(centre.x() - 1, centre.y() + 1);
    tick.lineTo(centre.x() + 3, centre.y() - 3);
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setPen(QPen(kText, 2));
    canvas.setBrush(Qt::NoBrush);
    canvas.drawPath(tick);
    canvas.restore();
}

// Draws the glyph box of the item and answers it.
QRect DrawGlyph(const NetMenuItem& item, QPainter& canvas, const QRect& rect, bool selected) {
    const QSize size = GlyphSize(item);
    const QRect box(rect.left() + 1, rect.top() + (rect.height() - size.height()) / 2, size.width(),
                    size.height());
    if (item.Checked && !item.Bitmap.isNull()) {
        const QRect frame = box.adjusted(-1, -1, 1, 1);
        canvas.fillRect(frame, selected ? QBrush(kFrame) : Checkerboard());
    }
    if (HasImageGlyph(item)) {
        item.Glyph.paint(&canvas, box, Qt::AlignCenter, item.Enabled ? QIcon::Normal : QIcon::Disabled);
    } else if (!item.Bitmap.isNull()) {
        const QSize bitmap = item.Bitmap.size();
        const QRect target =
            bitmap.width() < box.width() && bitmap.height() < box.height()
                ? QRect(QPoint(), bitmap).translated(box.center() - QRect(QPoint(), bitmap).center())
                : box;
        canvas.drawPixmap(target, item.Bitmap);
    } else {
        DrawCheckMark(canvas, box);
    }
    return box;
}

int TextFlags(const NetMenuItem& item, unsigned state) {
    int flags = Qt::TextSingleLine | Qt::TextExpandTabs | Qt::AlignVCenter;
    flags |= (state & kNoAccelerator) ? Qt::TextHideMnemonic : Qt::TextShowMnemonic;
    if (item.MainMenu) {
        return flags | Qt::AlignHCenter;
    }
    if (item.RightToLeft) {
        return flags | Qt::AlignRight;
    }
    return flags | static_cast<int>(item.Alignment & Qt::AlignHorizontal_Mask);
}

void DrawBackground(const NetMenuItem& item, QPainter& canvas, bool noBand, const QRect& rect) {
    canvas.fillRect(item.MainMenu ? rect.adjusted(0, 0, 0, -1) : rect, kItemBackground);
    if (!item.MainMenu && !noBand) {
        canvas.fillRect(QRect(rect.left(), rect.top(), kGlyphBandWidth, rect.height()), kGlyphBand);
    }
}

void DrawHighlight(const NetMenuItem& item, QPainter& canvas, unsigned state, const QRect& rect) {
    if (!item.MainMenu && (state & kSelected) && item.Enabled) {
        RoundRect(canvas, rect, kSelectedFill, kSelectionOutline);
    } else if (item.MainMenu && (state & kSelected)) {
        RoundRect(canvas, rect, kFrame, kFrame);
    } else if (item.MainMenu && (state & kHot)) {
        RoundRect(canvas, rect, kSelectedFill, kSelectionOutline);
    }
}

} // namespace

void DrawNetMenuItem(int leftOffset, const NetMenuItem& item, QPainter& canvas, bool noBand, unsigned state,
                     QRect rect) {
    rect.setLeft(rect.left() + leftOffset);
    rect.setBottom(rect.bottom() + 2);
    const bool selected = (state & kSelected) != 0;
    if (!selected) {
        DrawBackground(item, canvas, noBand, rect);
    }
    canvas.setFont(NetMenuFont((state & kDefault) != 0));
    canvas.setPen(kText);
    if (IsSeparator(item)) {
        DrawNetMenuItemText(item, canvas, item.Caption, rect.adjusted(kTextIndent, 0, 0, 0), selected, 0);
        return;
    }
    DrawHighlight(item, canvas, state, rect);
    int textLeft = rect.left() + (item.MainMenu ? kMainMenuTextIndent : kTextIndent);
    if (HasGlyph(item)) {
        const QRect box = DrawGlyph(item, canvas, rect, selected);
        textLeft = std::max(box.right() + 1 + 2, rect.left() + kTextIndent);
    }
    const int flags = TextFlags(item, state);
    const QRect textArea(textLeft, rect.top(), rect.right() + 1 - textLeft, rect.height());
    const QRect measured =
        canvas.fontMetrics().boundingRect(textArea, flags, item.Caption, TabStop(canvas.fontMetrics()));
    const QRect captionRect(textArea.left(), textArea.top() + (textArea.height() - measured.height()) / 2,
                            textArea.width(), measured.height());
    DrawNetMenuItemText(item, canvas, item.Caption, captionRect, selected, flags);
    if (!item.MainMenu && !item.ShortCut.isEmpty()) {
        const QRect shortCutRect(textArea.left(), textArea.top(),
                                 rect.right() + 1 - kShortCutMargin - textArea.left(), textArea.height());
        const int shortCutFlags = (flags & ~Qt::AlignHorizontal_Mask) | Qt::AlignRight;
        DrawNetMenuItemText(item, canvas, item.ShortCut, shortCutRect, selected, shortCutFlags);
    }
}

void DrawNetMenuItemText(const NetMenuItem& item, QPainter& canvas, const QString& text, const QRect& rect,
                         bool selected, int format) {
    if (text == u"-") {
        canvas.fillRect(QRect(rect.left(), rect.top() + 2, rect.width(), 1), kFrame);
        return;
    }
    canvas.save();
    canvas.setLayoutDirection(item.RightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    if (!item.Enabled) {
        if (!selected) {
            canvas.setPen(kDisabledHighlight);
            canvas.drawText(rect.translated(1, 1), format, text);
        }
        canvas.setPen(kDisabledShadow);
    }
    canvas.drawText(rect, format, text);
    canvas.restore();
}

void MeasureNetMenuItem(const NetMenuItem& item, int& width, int& height) {
    GetMenuMetrics(width, height);
    if (IsSeparator(item)) {
        height = kSeparatorHeight;
        width = -2;
        return;
    }
    int glyphWidth = -7;
    if (item.ImageListSize.isValid()) {
        glyphWidth = item.ImageListSize.width();
        if (!item.MainMenu) {
            height = item.ImageListSize.height();
        }
    } else if (!item.Bitmap.isNull()) {
        glyphWidth = kBitmapGlyphSize;
    }
    if (!item.MainMenu && glyphWidth > 0) {
        glyphWidth += 15;
    }
    const QString text = item.ShortCut.isEmpty() ? item.Caption : item.Caption + u'\t' + item.ShortCut;
    const QFontMetrics metrics(NetMenuFont());
    const int flags = Qt::TextSingleLine | Qt::TextExpandTabs | Qt::TextShowMnemonic;
    const int textWidth = metrics.boundingRect(QRect(), flags, text, TabStop(metrics)).width();
    width = textWidth + glyphWidth + 22 + (item.MainMenu ? 0 : 12);
}

void GetMenuMetrics(int& width, int& height) {
    width = 19;
    height = 19;
}
