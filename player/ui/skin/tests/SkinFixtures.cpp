#include "SkinFixtures.h"

#include "subtitles/zip/TZipControl.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace skintest {

std::string BmpBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP");
    return bytes.toStdString();
}

QImage Filled(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

bool WriteZip(const std::string& path, const std::map<std::string, std::string>& entries) {
    TZipControl zip;
    if (!zip.Create(path.c_str())) {
        return false;
    }
    for (const auto& [name, bytes] : entries) {
        if (!zip.AddEntry(name.c_str(), bytes.data(), static_cast<uint32_t>(bytes.size()))) {
            zip.Discard();
            return false;
        }
    }
    return zip.Close();
}

QImage Grab(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

namespace {
void SendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), QPointF(widget.mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}
} // namespace

void Press(QWidget& widget, QPoint at, Qt::MouseButton button) {
    SendMouse(widget, QEvent::MouseButtonPress, at, button, button);
}

void Release(QWidget& widget, QPoint at, Qt::MouseButton button) {
    SendMouse(widget, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

void Move(QWidget& widget, QPoint at, Qt::MouseButtons held) {
    SendMouse(widget, QEvent::MouseMove, at, Qt::NoButton, held);
}

void Leave(QWidget& widget) {
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(&widget, &event);
}

void Click(QWidget& widget, QPoint at) {
    Press(widget, at);
    Release(widget, at);
}

namespace {
void SendKey(QWidget& widget, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers) {
    QString text;
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        text = QChar(u'a' + (key - Qt::Key_A));
    } else if (key == Qt::Key_Space) {
        text = QStringLiteral(" ");
    }
    QKeyEvent event(type, key, modifiers, text);
    QApplication::sendEvent(&widget, &event);
}
} // namespace

void KeyPress(QWidget& widget, int key, Qt::KeyboardModifiers modifiers) {
    SendKey(widget, QEvent::KeyPress, key, modifiers);
}

void KeyRelease(QWidget& widget, int key, Qt::KeyboardModifiers modifiers) {
    SendKey(widget, QEvent::KeyRelease, key, modifiers);
}

void KeyClick(QWidget& widget, int key, Qt::KeyboardModifiers modifiers) {
    KeyPress(widget, key, modifiers);
    KeyRelease(widget, key, modifiers);
}

QString ArtefactPath(const QString& name) {
    QDir().mkpath(QStringLiteral(SKIN_TEST_ARTEFACT_DIR));
    return QStringLiteral(SKIN_TEST_ARTEFACT_DIR) + QLatin1Char('/') + name;
}

} // namespace skintest
