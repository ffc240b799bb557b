#pragma once
// The windowless push button: drawn on its parent's surface like a speed button, it changes its face,
// font, caption and glyph while the pointer is over it, places its caption freely, joins groups of
// mutually exclusive buttons and clicks itself when a press is released over it.
#include "player/ui/skin/buttons/ButtonTypes.h"
#include "player/ui/skin/buttons/TButtonGlyph.h"

#include <QFont>
#include <QString>
#include <QWidget>

#include <functional>

class QAction;
class QMenu;

class THoverButton : public QWidget {
    Q_OBJECT
public:
    using Handler = std::function<void(THoverButton* sender)>;

    explicit THoverButton(QWidget* parent = nullptr);
    ~THoverButton() override;

    void SetTexto(const QString& text);
    const QString& Caption() const { return caption_; }
    void SetCaptionHover(const QString& text);
    const QString& CaptionHover() const { return captionHover_; }

    void SetColor(skincolour::Value colour);
    skincolour::Value Color() const { return color_; }
    void SetColorHover(skincolour::Value colour);
    skincolour::Value ColorHover() const { return colorHover_; }
    void SetFontHover(const QFont& font);
    const QFont& FontHover() const { return fontHover_; }
    // Caption colours normally and while hovered.
    void SetFontColour(skincolour::Value colour);
    skincolour::Value FontColour() const { return fontColour_; }
    void SetFontHoverColour(skincolour::Value colour);
    skincolour::Value FontHoverColour() const { return fontHoverColour_; }

    void SetGlyph(const QImage& strip);
    void SetGlyphHover(const QImage& strip);
    TButtonGlyph& GlyphEngine() { return glyph_; }
    TButtonGlyph& HoverGlyphEngine() { return glyphHover_; }
    // Clamped to 1-5; 0 changes nothing.
    void SetNumGlyphs(int count);
    int NumGlyphs() { return LeftEngine().NumGlyphs(); }
    void SetTransparentGlyph(bool transparent);
    bool TransparentGlyph() const { return transparentGlyph_; }

    void SetFlat(bool flat);
    bool Flat() const { return flat_; }
    void SetDrawBorder(bool draw);
    bool DrawBorder() const { return drawBorder_; }
    void SetTransparent(bool transparent);
    bool Transparent() const { return transparent_; }
    void SetLayout(TMyButtonLayout layout);
    void SetMargin(int margin);
    int Margin() const { return margin_; }
    void SetSpacing(int spacing);
    void SetTextX(int x);
    void SetTextY(int y);
    void SetTextAbsolute(bool absolute);
    int TextX() const { return textX_; }
    int TextY() const { return textY_; }

    void SetDown(bool down);
    bool Down() const { return down_; }
    void SetGroupIndex(int group);
    int GroupIndex() const { return groupIndex_; }
    void SetAllowAllUp(bool allow);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetEnabled(bool enabled);

    // The hover state alone, without a repaint (callers repaint).
    void SetMouseInControl(bool hovered) { mouseInControl_ = hovered; }
    bool MouseInControl() const { return mouseInControl_; }
    TMyButtonState State() const { return state_; }
    bool Dragging() const { return dragging_; }

    void SetPrmData(const QString& data) { prmData_ = data; }
    const QString& PrmData() const { return prmData_; }
    // The menu shown on a right click (not owned).
    void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }
    QMenu* PopupMenu() const { return popupMenu_; }

    // The action a click runs when no OnClick handler is set; its tag tells bound buttons apart.
    void SetAction(int tag, std::function<void()> run);
    int ActionTag() const { return actionTag_; }
    static constexpr int kNoAction = -1;
    // The button follows the action's enabled state and shows its hint as its tooltip, now and on
    // every change of the action (null: no longer).
    void LinkAction(QAction* action);

    Handler OnClick;
    Handler OnMouseEnter;
    Handler OnMouseLeave;
    Handler OnMouseHover;

    void Click();
    virtual bool PtInButton(QPoint point) const;
    // A button of the same parent in the group went down.
    void CMButtonPressed(int groupIndex, THoverButton* sender);
    // Prepares the frame the button shows first.
    void Loaded();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    // Steps shared by the family: the state after an enabled change, the face and frame, and the
    // press offset; `inner` is what is left inside the frame.
    void PaintFace(QPainter& painter, QRect& inner, QPoint& pressOffset, bool transparent);
    // Glyph and caption inside the frame.
    virtual void PaintContent(QPainter& painter, const QRect& inner, QPoint pressOffset);
    // The caption's colour (the no-colour value keeps the font's).
    virtual skincolour::Value CaptionColour() const { return skincolour::kNone; }
    // Hovered, drawn with the hover font and caption.
    bool HoverLook() const { return mouseInControl_; }
    const QString& ShownCaption() const;
    // Called after the hover state turned true by a move.
    virtual void PointerMoved() {}
    // The end of a release: clicks when inside and updates the tracking.
    virtual void ReleaseFinished(bool inside, QPoint position);
    // A press ended by the mouse or the space key; `activate` when it counts as a click.
    void FinishPress(bool activate);
    // Starts a press: latches the down look and tracks it.
    void StartPress();
    void UpdateTracking(QPoint position);
    void UpdateExclusive();

    // Engines of the strips the painting uses.
    virtual TButtonGlyph& LeftEngine() { return glyph_; }
    virtual TButtonGlyph& RightEngine() { return glyphHover_; }

    TMyButtonState state_ = TMyButtonState::Up;
    bool mouseInControl_ = false;
    bool dragging_ = false;
    QFont fontHover_;

private:
    void SyncEnabledState();

    TButtonGlyph glyph_;
    TButtonGlyph glyphHover_;
    QString caption_;
    QString captionHover_;
    QString prmData_;
    skincolour::Value color_ = skincolour::kBtnFace;
    skincolour::Value colorHover_ = skincolour::kBlack;
    skincolour::Value fontColour_ = skincolour::kWindowText;
    skincolour::Value fontHoverColour_ = skincolour::kWindowText;
    int margin_ = -1;
    int spacing_ = 4;
    int textX_ = -1;
    int textY_ = -1;
    int groupIndex_ = 0;
    TMyButtonLayout layout_ = TMyButtonLayout::GlyphLeft;
    bool textAbsolute_ = false;
    bool transparentGlyph_ = false;
    bool transparent_ = false;
    bool flat_ = false;
    bool drawBorder_ = true;
    bool down_ = false;
    bool allowAllUp_ = false;
    QMenu* popupMenu_ = nullptr;
    int actionTag_ = kNoAction;
    std::function<void()> action_;
    QMetaObject::Connection actionLink_;
};
