#pragma once
// The background picture of a video window ("Img_Back"): a bitmap it does not own (the skin's video
// background or the disc's jacket) stretched over the area it covers, shown only while its window's
// background is switched on, it has a bitmap and the area it covers is shown.
#include <QImage>
#include <QWidget>

class TBackgroundImage : public QWidget {
public:
    // Covers `area` (a child of the same window) whenever `area` changes its place or size.
    TBackgroundImage(QWidget* window, QWidget* area);

    // The bitmap to show; null for none. The caller keeps it alive while it is set.
    void SetBitmap(const QImage* bitmap);
    // The area to cover from now on.
    void SetArea(QWidget* area);
    // A state of 0 or more switches the background off (0) or on; -1 keeps it. Then the picture is
    // drawn or hidden.
    void Update(int state);
    bool On() const { return on_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void FollowArea();

    QWidget* area_ = nullptr;
    const QImage* bitmap_ = nullptr;
    QImage stretched_;
    bool on_ = false;
};
