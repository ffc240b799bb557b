#pragma once
// Shows the properties frame of an element, modal, on the thread of the application's widgets: a call
// from another thread is carried there and waits until the frame closes. The frame stands at (x, y)
// of the owner window's client area, or of the screen without an owner. Changes reach the element only
// when the user confirms them.
#include "platform/win/Types.h"

#include <gst/gst.h>

#include <string>

namespace plat::forms {

// False, showing nothing, when the process runs no QApplication or the element has no property to show.
bool OleCreatePropertyFrame(win::HWND owner, int x, int y, const std::u16string& caption,
                            GstElement* element);

} // namespace plat::forms
