#pragma once
// Draws the pictures of the default skin: the control window's background and shape, a five-frame
// glyph strip per button (up, disabled, down, latched, hover) on the magenta key colour, and the
// pictures the message box, the video menu, the video window and the skin list borrow.
#include <QImage>
#include <QPainterPath>
#include <QString>

#include <map>

class DefaultSkinArtist {
public:
    static constexpr int kWidth = 420;
    static constexpr int kHeight = 72;
    static constexpr int kCorner = 12;

    // Every picture of the skin by its entry name.
    std::map<QString, QImage> Pictures() const;

    QImage Background() const;
    QImage Mask() const;
    // Five frames of size x size around the icon.
    QImage GlyphStrip(const QPainterPath& icon, int size) const;

    // The icons, drawn in a 24 x 24 box.
    static QPainterPath PlayIcon();
    static QPainterPath PauseIcon();
    static QPainterPath StopIcon();
    static QPainterPath PreviousIcon();
    static QPainterPath NextIcon();
    static QPainterPath OpenIcon();
    static QPainterPath VolumeIcon(bool more, bool mute);
    static QPainterPath FullScreenIcon();
    static QPainterPath CloseIcon();

private:
    QImage MenuLeft() const;
    QImage Messages() const;
    QImage VideoBackground() const;
    QImage Preview() const;
};
