#pragma once
// A skin's seek bar: a frame with the played part in one colour and the rest in another, which seeks
// 200 ms after a press or after the last movement of a drag inside it; a right click opens the
// go-to-time dialog. Bars too short to hold a pixel per unit, and positions beyond the duration, are
// drawn inside the frame and never seek.
#include "player/ui/skin/buttons/ButtonTypes.h"
#include "player/ui/skin/buttons/DelayTimer.h"

#include <QWidget>

#include <cstdint>
#include <memory>

class ISkinActionSink;

class TSkinSeekBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSeekDelayMs = 200;

    TSkinSeekBar(QWidget& form, ISkinActionSink& sink);
    ~TSkinSeekBar() override;

    void SetPosition(int64_t ms);
    void SetDuration(int64_t ms);
    int64_t Position() const { return position_; }
    int64_t Duration() const { return duration_; }
    void SetFrameColour(skincolour::Value colour);
    void SetBackgroundColour(skincolour::Value colour);
    void SetSeekZoneColour(skincolour::Value colour);
    void SetVertical(bool vertical);
    void SetInvert(bool invert);
    bool SeekPending() const { return timer_->IsActive(); }

    // Milliseconds per pixel; 0 when the bar is too short or the duration too small.
    int64_t Unit() const;
    // The time of a pixel of the bar, held to 0 .. duration.
    int64_t TimeAt(QPoint point) const;
    // The played part's end: pixels from the frame, held inside it.
    int64_t PlayedPixels() const;
    void SeekTimer();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int Length() const { return vertical_ ? height() : width(); }
    QRect Mirrored(const QRect& rect) const;

    ISkinActionSink& sink_;
    std::unique_ptr<DelayTimer> timer_;
    int64_t position_ = 0;
    int64_t duration_ = 0;
    skincolour::Value frame_ = skincolour::kNone;
    skincolour::Value background_ = skincolour::kNone;
    skincolour::Value seekZone_ = skincolour::kNone;
    bool vertical_ = false;
    bool invert_ = false;
    bool dragging_ = false;
};
