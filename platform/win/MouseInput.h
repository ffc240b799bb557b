#pragma once
// Mouse input for the windows of this process: the window a point of a parent's client area goes to,
// and the key and button state that mouse messages carry in their wParam.
#include "platform/win/Types.h"

namespace plat::win {

constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WPARAM MK_RBUTTON = 0x0002;
constexpr WPARAM MK_SHIFT = 0x0004;
constexpr WPARAM MK_CONTROL = 0x0008;
constexpr WPARAM MK_MBUTTON = 0x0010;

// The window that takes mouse input at a point of `parent`'s client area: the visible child whose
// rectangle holds the point (the one made last when several do), else the parent itself; 0 for an
// invalid parent.
HWND ChildWindowFromPoint(HWND parent, POINT pt);

} // namespace plat::win
