#pragma once
// A mouse gesture drawn as the settings dialog shows it: one square per decimal digit of its code,
// with an arrow for the directions 2 (down), 4 (left), 6 (right) and 8 (up), as on a numeric keypad.
#include <cstdint>

class QPainter;
class QRect;

// Fills the rectangle with the background; code 0 draws nothing more.
void DrawGesture(std::int32_t code, QPainter& painter, const QRect& rectangle);
