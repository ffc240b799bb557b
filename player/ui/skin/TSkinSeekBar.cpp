#include "player/ui/skin/TSkinSeekBar.h"

#include "player/ui/skin/ISkinActionSink.h"
#include "player/ui/skin/buttons/SkinColours.h"

#include <QMouseEvent>
#include <QPainter>

#include <cstdlib>

TSkinSeekBar::TSkinSeekBar(QWidget& form, ISkinActionSink& sink)
    : QWidget(&form), sink_(sink), timer_(DelayTimer::Create([this] { SeekTimer(); })) {}

TSkinSeekBar::~TSkinSeekBar() = default;

void TSkinSeekBar::SetPosition(int64_t ms) {
    position_ = ms;
    update();
}

void TSkinSeekBar::SetDuration(int64_t ms) {
    duration_ = ms;
    update();
}

void TSkinSeekBar::SetFrameColour(skincolour::Value colour) {
    frame_ = colour;
    update();
}

void TSkinSeekBar::SetBackgroundColour(skincolour::Value colour) {
    background_ = colour;
    update();
}

void TSkinSeekBar::SetSeekZoneColour(skincolour::Value colour) {
    seekZone_ = colour;
    update();
}

void TSkinSeekBar::SetVertical(bool vertical) {
    vertical_ = vertical;
    update();
}

void TSkinSeekBar::SetInvert(bool invert) {
    invert_ = invert;
    update();
}

int64_t TSkinSeekBar::Unit() const {
    const int inner = Length() - 2;
    if (inner <= 0 || duration_ <= 0) {
        return 0;
    }
    return duration_ / inner;
}

int64_t TSkinSeekBar::PlayedPixels() const {
    const int64_t unit = Unit();
    if (unit == 0) {
        return 0;
    }
    return std::clamp<int64_t>(position_ / unit, 0, Length() - 2);
}

int64_t TSkinSeekBar::TimeAt(QPoint point) const {
    int64_t pixel = 0;
    if (vertical_) {
        pixel = invert_ ? int64_t{height()} - point.y() + 1 : int64_t{point.y()} - 1;
    } else {
        pixel = invert_ ? int64_t{width()} - point.x() + 1 : int64_t{point.x()} - 1;
    }
    return std::clamp<int64_t>(pixel * Unit(), 0, std::max<int64_t>(duration_, 0));
}

QRect TSkinSeekBar::Mirrored(const QRect& rect) const {
    if (!invert_) {
        return rect;
    }
    // Corners as (left, top) - (right, bottom) exclusive, each x becoming width - x, each y height - y.
    const int left = rect.left();
    const int top = rect.top();
    const int right = rect.left() + rect.width();
    const int bottom = rect.top() + rect.height();
    return QRect(QPoint(width() - right, height() - bottom), QPoint(width() - left - 1, height() - top - 1));
}

void TSkinSeekBar::paintEvent(QPaintEvent*) {
    if (width() <= 0 || height() <= 0) {
        return;
    }
    QPainter painter(this);
    if (width() < 2 || height() < 2) {
        // No room inside a frame: the box is all frame.
        if (frame_ != skincolour::kNone) {
            painter.fillRect(rect(), SkinColours::ToQColor(frame_));
        }
        return;
    }
    const int64_t played = PlayedPixels();
    const int end = static_cast<int>(played) + 1;
    if (frame_ != skincolour::kNone) {
        painter.setPen(SkinColours::ToQColor(frame_));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(0, 0, width() - 1, height() - 1);
    }
    // Rectangles from (left, top) to (right, bottom) exclusive, as the fills take them.
    auto box = [](int left, int top, int right, int bottom) {
        return QRect(left, top, std::max(right - left, 0), std::max(bottom - top, 0));
    };
    QRect playedRect;
    QRect restRect;
    if (vertical_) {
        playedRect = box(1, 1, width() - 1, end);
        restRect = box(1, end, width() - 1, height() - 1);
    } else {
        playedRect = box(1, 1, end, height() - 1);
        restRect = box(end, 1, width() - 1, height() - 1);
    }
    if (seekZone_ != skincolour::kNone && !playedRect.isEmpty()) {
        painter.fillRect(Mirrored(playedRect), SkinColours::ToQColor(seekZone_));
    }
    if (background_ != skincolour::kNone && !restRect.isEmpty()) {
        painter.fillRect(Mirrored(restRect), SkinColours::ToQColor(background_));
    }
}

void TSkinSeekBar::mousePressEvent(QMouseEvent* event) {
    timer_->Stop();
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        const QPoint screen = mapToGlobal(point);
        sink_.ShowGoToTime(QPoint(std::abs(screen.x() - 5), std::abs(screen.y() - 25)));
        return;
    }
    if (Unit() != 0) {
        sink_.SetSeekTarget(TimeAt(point));
        timer_->Start(kSeekDelayMs);
    }
    dragging_ = true;
}

void TSkinSeekBar::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) {
        return;
    }
    timer_->Stop();
    const QPoint point = event->position().toPoint();
    if (Unit() != 0) {
        sink_.SetSeekTarget(TimeAt(point));
        if (rect().contains(point)) {
            timer_->Start(kSeekDelayMs);
        }
    }
}

void TSkinSeekBar::mouseReleaseEvent(QMouseEvent*) {
    dragging_ = false;
}

void TSkinSeekBar::SeekTimer() {
    timer_->Stop();
    sink_.GoToSeekPos();
}
