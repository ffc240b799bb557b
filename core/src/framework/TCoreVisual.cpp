#include "core/src/framework/TCoreVisual.h"

TCoreVisual::TCoreVisual(TCoreObject* owner) : TCoreObject(owner) {}

bool TCoreVisual::Resize(int cx, int cy) {
    width_ = cx;
    height_ = cy;
    return true;
}

bool TCoreVisual::Move(int x, int y) {
    left_ = x;
    top_ = y;
    return false;
}
