#pragma once
// The two monitors of the window tests: the first at the origin, the second to its right.
#include <QByteArray>
#include <QRect>

namespace TwoScreens {

inline const QRect kFirst(0, 0, 1024, 768);
inline const QRect kSecond(1024, 0, 1280, 720);

inline QByteArray ConfigJson() {
    const auto screen = [](const char* name, const QRect& r) {
        return QByteArray("{\"name\":\"") + name + "\",\"x\":" + QByteArray::number(r.x()) +
               ",\"y\":" + QByteArray::number(r.y()) + ",\"width\":" + QByteArray::number(r.width()) +
               ",\"height\":" + QByteArray::number(r.height()) +
               ",\"logicalDpi\":96,\"logicalBaseDpi\":96,\"dpr\":1}";
    };
    return "{\"synchronousWindowSystemEvents\":true,\"windowFrameMargins\":false,\"screens\":[" +
           screen("first", kFirst) + "," + screen("second", kSecond) + "]}";
}

} // namespace TwoScreens
