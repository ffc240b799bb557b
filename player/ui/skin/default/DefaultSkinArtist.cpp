#include "player/ui/skin/default/DefaultSkinArtist.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace {

const QColor kKey(255, 0, 255);
const QColor kAccent(0x40, 0xA0, 0xE8);

QImage Canvas(int width, int height, const QColor& fill) {
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(fill);
    return image;
}

QPainterPath Box(qreal x, qreal y, qreal w, qreal h) {
    QPainterPath path;
    path.addRect(x, y, w, h);
    return path;
}

QPainterPath Triangle(QPointF a, QPointF b, QPointF c) {
    QPainterPath path;
    path.moveTo(a);
    path.lineTo(b);
    path.lineTo(c);
    path.closeSubpath();
    return path;
}

} // namespace

QPainterPath DefaultSkinArtist::PlayIcon() {
    return Triangle({8, 5}, {20, 12}, {8, 19});
}

QPainterPath DefaultSkinArtist::PauseIcon() {
    return Box(7, 6, 4, 12).united(Box(13, 6, 4, 12));
}

QPainterPath DefaultSkinArtist::StopIcon() {
    return Box(7, 7, 10, 10);
}

QPainterPath DefaultSkinArtist::PreviousIcon() {
    return Box(6, 6, 2.5, 12).united(Triangle({18, 6}, {9, 12}, {18, 18}));
}

QPainterPath DefaultSkinArtist::NextIcon() {
    return Box(15.5, 6, 2.5, 12).united(Triangle({6, 6}, {15, 12}, {6, 18}));
}

QPainterPath DefaultSkinArtist::OpenIcon() {
    QPainterPath path = Triangle({6, 13}, {12, 6}, {18, 13});
    return path.united(Box(6, 15, 12, 3));
}

QPainterPath DefaultSkinArtist::VolumeIcon(bool more, bool mute) {
    QPainterPath path;
    path.moveTo(4, 10);
    path.lineTo(8, 10);
    path.lineTo(13, 5);
    path.lineTo(13, 19);
    path.lineTo(8, 14);
    path.lineTo(4, 14);
    path.closeSubpath();
    if (mute) {
        QPainterPath cross;
        cross.moveTo(15, 9);
        cross.lineTo(21, 15);
        cross.moveTo(21, 9);
        cross.lineTo(15, 15);
        QPainterPathStroker stroker;
        stroker.setWidth(2);
        path = path.united(stroker.createStroke(cross));
    } else {
        path = path.united(Box(15, 11, 6, 2));
        if (more) {
            path = path.united(Box(17, 9, 2, 6));
        }
    }
    return path;
}

QPainterPath DefaultSkinArtist::FullScreenIcon() {
    QPainterPath path;
    for (const QPointF corner : {QPointF(5, 5), QPointF(19, 5), QPointF(5, 19), QPointF(19, 19)}) {
        const qreal dx = corner.x() < 12 ? 1 : -1;
        const qreal dy = corner.y() < 12 ? 1 : -1;
        path = path.united(Triangle(corner, corner + QPointF(6 * dx, 0), corner + QPointF(0, 6 * dy)));
    }
    return path;
}

QPainterPath DefaultSkinArtist::CloseIcon() {
    QPainterPath cross;
    cross.moveTo(7, 7);
    cross.lineTo(17, 17);
    cross.moveTo(17, 7);
    cross.lineTo(7, 17);
    QPainterPathStroker stroker;
    stroker.setWidth(3);
    stroker.setCapStyle(Qt::RoundCap);
    return stroker.createStroke(cross);
}

QImage DefaultSkinArtist::Background() const {
    QImage image = Canvas(kWidth, kHeight, QColor(0x1c, 0x22, 0x2b));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(0, 0, 0, kHeight);
    body.setColorAt(0, QColor(0x3a, 0x44, 0x52));
    body.setColorAt(0.45, QColor(0x26, 0x2e, 0x39));
    body.setColorAt(1, QColor(0x18, 0x1d, 0x25));
    painter.fillRect(image.rect(), body);
    // A thin highlight along the top edge and a darker inset well behind the seek bar and labels.
    painter.setPen(QPen(QColor(0x5a, 0x68, 0x7a), 1));
    painter.drawLine(kCorner, 1, kWidth - kCorner, 1);
    painter.setPen(QPen(QColor(0x10, 0x14, 0x1a), 1));
    painter.setBrush(QColor(0x14, 0x19, 0x20));
    painter.drawRoundedRect(QRectF(8.5, 4.5, 382, 20), 6, 6);
    // Separators between the button groups.
    painter.setPen(QPen(QColor(0x46, 0x52, 0x62), 1));
    for (const int x : {47, 235, 361}) {
        painter.drawLine(QPointF(x + 0.5, 38), QPointF(x + 0.5, 62));
    }
    return image;
}

QImage DefaultSkinArtist::Mask() const {
    // Black is kept, white is cut away; hard edges so that no grey pixel blurs the shape.
    QImage image = Canvas(kWidth, kHeight, Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRoundedRect(QRect(0, 0, kWidth, kHeight), kCorner, kCorner);
    return image;
}

QImage DefaultSkinArtist::GlyphStrip(const QPainterPath& icon, int size) const {
    QImage strip = Canvas(size * 5, size, kKey);
    QPainter painter(&strip);
    const qreal scale = size / 30.0;
    struct Look {
        QColor plateTop;
        QColor plateBottom;
        QColor icon;
        int shift;
    };
    const Look looks[5] = {
        {QColor(0x4a, 0x56, 0x66), QColor(0x2c, 0x34, 0x3f), QColor(0xe4, 0xea, 0xf0), 0}, // up
        {QColor(0x34, 0x3a, 0x44), QColor(0x28, 0x2d, 0x35), QColor(0x70, 0x78, 0x82), 0}, // disabled
        {QColor(0x1e, 0x25, 0x2e), QColor(0x2c, 0x35, 0x41), kAccent.lighter(130), 1},     // down
        {QColor(0x1f, 0x4a, 0x70), QColor(0x18, 0x36, 0x52), QColor(0xff, 0xff, 0xff), 1}, // latched
        {QColor(0x5a, 0x6c, 0x82), QColor(0x36, 0x42, 0x52), QColor(0xff, 0xff, 0xff), 0}, // hover
    };
    for (int frame = 0; frame < 5; ++frame) {
        const Look& look = looks[frame];
        const QRect plate(frame * size + 1, 1, size - 2, size - 2);
        // The plate's outline is drawn without smoothing so that its edge meets the key colour cleanly.
        painter.setRenderHint(QPainter::Antialiasing, false);
        QLinearGradient fill(0, plate.top(), 0, plate.bottom());
        fill.setColorAt(0, look.plateTop);
        fill.setColorAt(1, look.plateBottom);
        painter.setPen(frame == 4 ? kAccent : QColor(0x12, 0x16, 0x1c));
        painter.setBrush(fill);
        painter.drawRect(plate.adjusted(0, 0, -1, -1));
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.save();
        painter.translate(frame * size + 3 * scale + look.shift, 3 * scale + look.shift);
        painter.scale(scale, scale);
        painter.setPen(Qt::NoPen);
        painter.setBrush(look.icon);
        painter.drawPath(icon);
        painter.restore();
    }
    return strip;
}

QImage DefaultSkinArtist::MenuLeft() const {
    // The foot of the video menu's side bar: it takes the bar's dark blue over and darkens to the
    // panel's slate, with the player's name read upwards.
    QImage image = Canvas(30, 96, Qt::black);
    QPainter painter(&image);
    QLinearGradient fill(0, 0, 0, image.height());
    fill.setColorAt(0, QColor(10, 10, 134));
    fill.setColorAt(1, QColor(0x18, 0x1d, 0x25));
    painter.fillRect(image.rect(), fill);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(QColor(0xe4, 0xea, 0xf0));
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 10, QFont::Bold));
    painter.translate(20, image.height() - 12);
    painter.rotate(-90);
    painter.drawText(0, 0, QStringLiteral("Tovrin"));
    return image;
}

QImage DefaultSkinArtist::Messages() const {
    QImage image = Canvas(48, 48, QColor(0x26, 0x2e, 0x39));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(24, 24, 22);
    glow.setColorAt(0, kAccent);
    glow.setColorAt(1, QColor(0x1f, 0x4a, 0x70));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(QPointF(24, 24), 20, 20);
    painter.setBrush(Qt::white);
    painter.translate(12, 12);
    painter.drawPath(PlayIcon());
    return image;
}

QImage DefaultSkinArtist::VideoBackground() const {
    QImage image = Canvas(320, 240, Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient fill(160, 120, 200);
    fill.setColorAt(0, QColor(0x22, 0x2a, 0x35));
    fill.setColorAt(1, QColor(0x0b, 0x0e, 0x12));
    painter.fillRect(image.rect(), fill);
    painter.setPen(QColor(0x3a, 0x44, 0x52));
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 28, QFont::Bold));
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("Tovrin"));
    return image;
}

QImage DefaultSkinArtist::Preview() const {
    return Background().scaled(kWidth / 2, kHeight / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

std::map<QString, QImage> DefaultSkinArtist::Pictures() const {
    return {
        {QStringLiteral("Background.bmp"), Background()},
        {QStringLiteral("Mask.bmp"), Mask()},
        {QStringLiteral("Close.bmp"), GlyphStrip(CloseIcon(), 18)},
        {QStringLiteral("Open.bmp"), GlyphStrip(OpenIcon(), 30)},
        {QStringLiteral("Previous.bmp"), GlyphStrip(PreviousIcon(), 30)},
        {QStringLiteral("Play.bmp"), GlyphStrip(PlayIcon(), 30)},
        {QStringLiteral("Pause.bmp"), GlyphStrip(PauseIcon(), 30)},
        {QStringLiteral("Stop.bmp"), GlyphStrip(StopIcon(), 30)},
        {QStringLiteral("Next.bmp"), GlyphStrip(NextIcon(), 30)},
        {QStringLiteral("VolumeLess.bmp"), GlyphStrip(VolumeIcon(false, false), 30)},
        {QStringLiteral("VolumeMore.bmp"), GlyphStrip(VolumeIcon(true, false), 30)},
        {QStringLiteral("Mute.bmp"), GlyphStrip(VolumeIcon(false, true), 30)},
        {QStringLiteral("FullScreen.bmp"), GlyphStrip(FullScreenIcon(), 30)},
        {QStringLiteral("__MenuLeft.bmp"), MenuLeft()},
        {QStringLiteral("__Messages.bmp"), Messages()},
        {QStringLiteral("__VideoBackground.bmp"), VideoBackground()},
        {QStringLiteral("__Preview.bmp"), Preview()},
    };
}
