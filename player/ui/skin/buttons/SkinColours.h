#pragma once
// Turns the class library's colour values into Qt colours: 0x00BBGGRR values directly, system colours
// (0x80000000 plus the system colour's number) from the application's palette.
#include "player/ui/skin/buttons/ButtonTypes.h"

#include <QColor>

class SkinColours {
public:
    // An invalid colour for the no-colour value.
    static QColor ToQColor(skincolour::Value value);
    // The value of a Qt colour (alpha dropped).
    static skincolour::Value FromQColor(const QColor& colour);
};
