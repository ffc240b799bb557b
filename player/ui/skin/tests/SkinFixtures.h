#pragma once
// Skin archives and pictures made by the tests: zip archives written with the system's zip control,
// BMP bytes of generated pictures, and pixel probes.
#include <QImage>
#include <QPoint>
#include <QString>

#include <map>
#include <string>

namespace skintest {

// A 24-bit BMP of the picture.
std::string BmpBytes(const QImage& image);
// A picture of that size in one colour.
QImage Filled(int width, int height, QColor colour);
// Writes an archive with those entries; false when it could not be written.
bool WriteZip(const std::string& path, const std::map<std::string, std::string>& entries);
// The widget as drawn, as a picture.
QImage Grab(class QWidget& widget);
// Mouse events sent straight to the widget, at a point in its own coordinates.
void Press(class QWidget& widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);
void Release(QWidget& widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);
void Move(QWidget& widget, QPoint at, Qt::MouseButtons held = Qt::NoButton);
void Leave(QWidget& widget);
void Click(QWidget& widget, QPoint at);
// Key events sent straight to the widget; letters carry their text.
void KeyPress(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void KeyRelease(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void KeyClick(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Where the tests keep pictures for people to look at.
QString ArtefactPath(const QString& name);

} // namespace skintest
