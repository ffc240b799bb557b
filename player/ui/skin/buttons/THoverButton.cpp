#include "player/ui/skin/buttons/THoverButton.h"

#include "player/ui/skin/buttons/SkinColours.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

THoverButton::THoverButton(QWidget* parent) : QWidget(parent) {
    resize(50, 22);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    setMouseTracking(true);
    glyph_.SetOnChange([this] { update(); });
    glyphHover_.SetOnChange([this] { update(); });
}

THoverButton::~THoverButton() = default;

void THoverButton::SetTexto(const QString& text) {
    caption_ = text;
    update();
}

void THoverButton::SetCaptionHover(const QString& text) {
    captionHover_ = text;
    update();
}

void THoverButton::SetColor(skincolour::Value colour) {
    color_ = colour;
    update();
}

void THoverButton::SetColorHover(skincolour::Value colour) {
    colorHover_ = colour;
    update();
}

void THoverButton::SetFontHover(const QFont& font) {
    fontHover_ = font;
    update();
}

void THoverButton::SetFontColour(skincolour::Value colour) {
    fontColour_ = colour;
    update();
}

void THoverButton::SetFontHoverColour(skincolour::Value colour) {
    fontHoverColour_ = colour;
    update();
}

void THoverButton::SetGlyph(const QImage& strip) {
    glyph_.SetGlyph(strip);
    update();
}

void THoverButton::SetGlyphHover(const QImage& strip) {
    glyphHover_.SetGlyph(strip);
    update();
}

void THoverButton::SetNumGlyphs(int count) {
    count = std::min(std::max(count, count < 0 ? 1 : 0), 5);
    if (count == 0 || count == NumGlyphs()) {
        return;
    }
    LeftEngine().SeTMyNumGlyphs(count);
    RightEngine().SeTMyNumGlyphs(count);
    update();
}

void THoverButton::SetTransparentGlyph(bool transparent) {
    transparentGlyph_ = transparent;
    LeftEngine().SetTransparent(transparent);
    RightEngine().SetTransparent(transparent);
    update();
}

void THoverButton::SetFlat(bool flat) {
    flat_ = flat;
    update();
}

void THoverButton::SetDrawBorder(bool draw) {
    drawBorder_ = draw;
    update();
}

void THoverButton::SetTransparent(bool transparent) {
    if (transparent == transparent_) {
        return;
    }
    transparent_ = transparent;
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
    update();
}

void THoverButton::SetLayout(TMyButtonLayout layout) {
    layout_ = layout;
    update();
}

void THoverButton::SetMargin(int margin) {
    margin_ = margin;
    update();
}

void THoverButton::SetSpacing(int spacing) {
    spacing_ = spacing;
    update();
}

void THoverButton::SetTextX(int x) {
    textX_ = x;
    update();
}

void THoverButton::SetTextY(int y) {
    textY_ = y;
    update();
}

void THoverButton::SetTextAbsolute(bool absolute) {
    textAbsolute_ = absolute;
    update();
}

void THoverButton::SetEnabled(bool enabled) {
    setEnabled(enabled);
    SyncEnabledState();
    update();
}

void THoverButton::SetAction(int tag, std::function<void()> run) {
    actionTag_ = run ? tag : kNoAction;
    action_ = std::move(run);
}

void THoverButton::LinkAction(QAction* action) {
    disconnect(actionLink_);
    if (action == nullptr) {
        return;
    }
    const auto follow = [this, action] {
        SetEnabled(action->isEnabled());
        setToolTip(action->toolTip());
    };
    actionLink_ = connect(action, &QAction::changed, this, follow);
    follow();
}

void THoverButton::Click() {
    if (OnClick) {
        OnClick(this);
    } else if (action_) {
        action_();
    }
}

bool THoverButton::PtInButton(QPoint point) const {
    return point.x() >= 0 && point.x() <= width() - 1 && point.y() >= 0 && point.y() <= height() - 1;
}

void THoverButton::Loaded() {
    glyph_.CreateButtonGlyph(isEnabled() ? TMyButtonState::Up : TMyButtonState::Disabled);
}

// ---- groups ----

void THoverButton::SetDown(bool down) {
    if (groupIndex_ == 0 && down_) {
        down = false;
    }
    if (down == down_ || (down_ && !allowAllUp_)) {
        return;
    }
    down_ = down;
    if (down) {
        if (state_ == TMyButtonState::Up) {
            update();
        }
        state_ = TMyButtonState::Exclusive;
        UpdateExclusive();
    } else {
        state_ = TMyButtonState::Up;
        update();
    }
}

void THoverButton::SetGroupIndex(int group) {
    if (group == groupIndex_) {
        return;
    }
    groupIndex_ = group;
    UpdateExclusive();
}

void THoverButton::SetAllowAllUp(bool allow) {
    if (allow == allowAllUp_) {
        return;
    }
    allowAllUp_ = allow;
    UpdateExclusive();
}

void THoverButton::UpdateExclusive() {
    if (groupIndex_ == 0 || parentWidget() == nullptr) {
        return;
    }
    for (QObject* child : parentWidget()->children()) {
        if (auto* button = qobject_cast<THoverButton*>(child)) {
            button->CMButtonPressed(groupIndex_, this);
        }
    }
}

void THoverButton::CMButtonPressed(int groupIndex, THoverButton* sender) {
    if (groupIndex != groupIndex_ || sender == this) {
        return;
    }
    if (sender->Down() && down_) {
        down_ = false;
        state_ = TMyButtonState::Up;
        update();
    }
    allowAllUp_ = sender->AllowAllUp();
}

// ---- pointer ----

void THoverButton::UpdateTracking(QPoint position) {
    if (!isEnabled()) {
        return;
    }
    mouseInControl_ = PtInButton(position);
    if (!mouseInControl_ && state_ == TMyButtonState::Hover) {
        state_ = TMyButtonState::Up;
    }
}

void THoverButton::mouseMoveEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    const bool wasHovered = mouseInControl_;
    UpdateTracking(position);
    bool repaint = wasHovered != mouseInControl_;
    if (mouseInControl_ && !wasHovered && OnMouseEnter) {
        OnMouseEnter(this);
    }
    PointerMoved();
    if (dragging_) {
        const bool inside =
            position.x() >= 0 && position.x() < width() && position.y() >= 0 && position.y() <= height();
        TMyButtonState next = TMyButtonState::Up;
        if (down_) {
            next = TMyButtonState::Exclusive;
        } else if (inside) {
            next = TMyButtonState::Down;
        }
        if (next != state_) {
            state_ = next;
            repaint = true;
        }
    } else {
        UpdateTracking(position);
    }
    if (repaint) {
        update();
    }
}

void THoverButton::leaveEvent(QEvent*) {
    if (!isEnabled()) {
        return;
    }
    mouseInControl_ = false;
    if (state_ == TMyButtonState::Hover) {
        state_ = TMyButtonState::Up;
    }
    update();
    if (OnMouseLeave) {
        OnMouseLeave(this);
    }
}

void THoverButton::StartPress() {
    if (!down_) {
        state_ = TMyButtonState::Down;
        update();
    }
    dragging_ = true;
}

void THoverButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && isEnabled()) {
        StartPress();
    }
}

void THoverButton::FinishPress(bool activate) {
    if (groupIndex_ == 0) {
        state_ = TMyButtonState::Up;
        mouseInControl_ = false;
        if (activate) {
            update();
        }
    } else if (activate) {
        SetDown(!down_);
        if (down_) {
            update();
        }
    } else {
        if (down_) {
            state_ = TMyButtonState::Exclusive;
        }
        update();
    }
}

void THoverButton::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_ || event->button() != Qt::LeftButton) {
        return;
    }
    dragging_ = false;
    const QPoint position = event->position().toPoint();
    // The bottom edge row counts as inside.
    const bool inside =
        position.x() >= 0 && position.x() < width() && position.y() >= 0 && position.y() <= height();
    FinishPress(inside);
    ReleaseFinished(inside, position);
}

void THoverButton::ReleaseFinished(bool inside, QPoint position) {
    if (inside) {
        Click();
    }
    UpdateTracking(position);
}

void THoverButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is a press of its own.
    mousePressEvent(event);
}

void THoverButton::contextMenuEvent(QContextMenuEvent* event) {
    if (popupMenu_ != nullptr) {
        popupMenu_->popup(event->globalPos());
        event->accept();
        return;
    }
    QWidget::contextMenuEvent(event);
}

// ---- painting ----

void THoverButton::SyncEnabledState() {
    if (!isEnabled()) {
        state_ = TMyButtonState::Disabled;
        dragging_ = false;
    } else if (state_ == TMyButtonState::Disabled) {
        state_ = down_ && groupIndex_ != 0 ? TMyButtonState::Exclusive : TMyButtonState::Up;
    }
}

const QString& THoverButton::ShownCaption() const {
    return HoverLook() && !captionHover_.isEmpty() ? captionHover_ : caption_;
}

void THoverButton::PaintFace(QPainter& painter, QRect& inner, QPoint& pressOffset, bool transparent) {
    SyncEnabledState();
    inner = rect();
    const bool pressed = state_ == TMyButtonState::Down || state_ == TMyButtonState::Exclusive;
    const QPalette& palette = this->palette();
    const QColor face = SkinColours::ToQColor(skincolour::kBtnFace);
    if (flat_ || !drawBorder_) {
        const bool hoveredLive = mouseInControl_ && state_ != TMyButtonState::Disabled;
        if (drawBorder_ && (pressed || hoveredLive)) {
            const QBrush fill(face);
            qDrawShadePanel(&painter, inner, palette, pressed, 1, transparent ? nullptr : &fill);
        } else if (!transparent) {
            const skincolour::Value colour =
                mouseInControl_ && colorHover_ != skincolour::kNone ? colorHover_ : color_;
            if (colour != skincolour::kNone) {
                painter.fillRect(inner, SkinColours::ToQColor(colour));
            }
        }
        if (drawBorder_) {
            inner.adjust(1, 1, -1, -1);
        }
    } else {
        const QBrush fill(face);
        qDrawWinButton(&painter, inner, palette, pressed, &fill);
        inner.adjust(2, 2, -2, -2);
    }
    pressOffset = QPoint(0, 0);
    if (pressed) {
        if (state_ == TMyButtonState::Exclusive && (!flat_ || !mouseInControl_) && drawBorder_) {
            painter.fillRect(inner, face);
            painter.fillRect(inner,
                             QBrush(SkinColours::ToQColor(skincolour::kBtnHighlight), Qt::Dense4Pattern));
        }
        if (drawBorder_) {
            pressOffset = QPoint(1, 1);
        }
    }
}

void THoverButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRect inner;
    QPoint offset;
    PaintFace(painter, inner, offset, transparent_);
    PaintContent(painter, inner, offset);
}

void THoverButton::PaintContent(QPainter& painter, const QRect& inner, QPoint pressOffset) {
    TGlyphDrawArgs args;
    args.client = inner;
    args.pressOffset = pressOffset;
    args.layout = layout_;
    args.margin = margin_;
    args.spacing = spacing_;
    args.transparent = transparentGlyph_;
    args.rightToLeft = layoutDirection() == Qt::RightToLeft;
    args.textAbsolute = textAbsolute_;
    args.textX = textX_;
    args.textY = textY_;
    args.caption = ShownCaption();
    args.captionColour = CaptionColour();
    painter.setPen(SkinColours::ToQColor(HoverLook() ? fontHoverColour_ : fontColour_));
    args.state = state_;
    if (HoverLook()) {
        painter.setFont(fontHover_);
        if (!glyphHover_.IsEmpty()) {
            glyphHover_.Draw(painter, args);
            return;
        }
        if (glyph_.NumGlyphs() > 4 && state_ == TMyButtonState::Up) {
            state_ = TMyButtonState::Hover;
            args.state = state_;
        }
    } else {
        painter.setFont(font());
    }
    glyph_.Draw(painter, args);
}
