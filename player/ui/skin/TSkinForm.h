#pragma once
// A skin window: paints its background bitmap, quits the player instead of closing, hands the wheel
// to the main window, can be dragged by its background when shaped, may stay in a corner of the
// video window, and keeps at most one of its speed buttons in the hover look.
#include <QImage>
#include <QRegion>
#include <QWidget>

#include <optional>

class ISkinActionSink;
class TSkinSpeedButton;

enum class SkinAnchor { None, TopLeft, TopRight, BottomLeft, BottomRight };

class TSkinForm : public QWidget {
    Q_OBJECT
public:
    explicit TSkinForm(ISkinActionSink& sink);
    ~TSkinForm() override;

    void SetBackground(const QImage& background);
    const QImage& Background() const { return background_; }
    // Frameless and draggable by its background.
    void SetMaskMode();
    // Shapes the window; the region is kept while the window lives.
    void SetWindowRegion(const QRegion& region);
    const std::optional<QRegion>& WindowRegion() const { return region_; }
    void SetAnchor(SkinAnchor anchor);
    SkinAnchor Anchor() const { return anchor_; }
    bool Draggable() const { return draggable_; }

    // Whether the skin regards the window as shown (also while the interface is hidden).
    void SetVisibleMark(bool visible) { visibleMark_ = visible; }
    bool VisibleMark() const { return visibleMark_; }
    // The main skin form saves its place when it goes.
    void SetMainForm(bool main) { mainForm_ = main; }
    bool IsMainForm() const { return mainForm_; }

    void SetHoveredSpeedButton(TSkinSpeedButton* button) { hovered_ = button; }
    TSkinSpeedButton* HoveredSpeedButton() const { return hovered_; }
    bool Dragging() const { return dragging_; }

    void DragStart(Qt::MouseButton button, QPoint position);
    void DragMove(QPoint position);
    void DragEnd();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ISkinActionSink& sink_;
    QImage background_;
    std::optional<QRegion> region_;
    SkinAnchor anchor_ = SkinAnchor::None;
    TSkinSpeedButton* hovered_ = nullptr;
    QPoint grab_;
    bool dragging_ = false;
    bool draggable_ = false;
    bool visibleMark_ = false;
    bool mainForm_ = false;
};
