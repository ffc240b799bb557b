#pragma once
// The handle and message types of our windowing layer. A window handle is a 32-bit id from a
// process-wide table, never a pointer, so record fields that hold one keep their width.
#include <cstdint>

namespace plat::win {

using HWND = std::uint32_t;
using UINT = std::uint32_t;
using DWORD = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using HMODULE = void*;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

// Special insert-after values of SetWindowPos; no table id ever takes them.
constexpr HWND HWND_TOP = 0;
constexpr HWND HWND_BOTTOM = 1;
constexpr HWND HWND_TOPMOST = 0xFFFFFFFFu;
constexpr HWND HWND_NOTOPMOST = 0xFFFFFFFEu;

// Messages.
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_MOVE = 0x0003;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_GETTEXT = 0x000D;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_ERASEBKGND = 0x0014;
constexpr UINT WM_SHOWWINDOW = 0x0018;
constexpr UINT WM_GETMINMAXINFO = 0x0024;
constexpr UINT WM_WINDOWPOSCHANGING = 0x0046;
constexpr UINT WM_WINDOWPOSCHANGED = 0x0047;
constexpr UINT WM_COPYDATA = 0x004A;
constexpr UINT WM_DISPLAYCHANGE = 0x007E;
constexpr UINT WM_NCDESTROY = 0x0082;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
constexpr UINT WM_MBUTTONDOWN = 0x0207;
constexpr UINT WM_MBUTTONUP = 0x0208;
constexpr UINT WM_MBUTTONDBLCLK = 0x0209;
constexpr UINT WM_MOUSEHOVER = 0x02A1;
constexpr UINT WM_MOUSELEAVE = 0x02A3;
constexpr UINT WM_USER = 0x0400;

// Window styles the system uses.
constexpr DWORD WS_OVERLAPPEDWINDOW = 0x00CF0000u;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000u;
constexpr DWORD WS_POPUP = 0x80000000u;
constexpr DWORD WS_CHILD = 0x40000000u;
constexpr DWORD WS_VISIBLE = 0x10000000u;
constexpr DWORD WS_EX_TOPMOST = 0x00000008u;
constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080u;

// Class styles.
constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr UINT CS_DBLCLKS = 0x0008;

constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000u);

// SetWindowPos flags.
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;

// ShowWindow commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 5;

// Window long indexes.
constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
constexpr int GWLP_USERDATA = -21;

// TrackMouseEvent flags.
constexpr DWORD TME_HOVER = 0x00000001u;
constexpr DWORD TME_LEAVE = 0x00000002u;
constexpr DWORD TME_CANCEL = 0x80000000u;

struct POINT {
    std::int32_t x;
    std::int32_t y;
};

struct RECT {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

// The record of a WM_COPYDATA message (lParam points to it; wParam is the sending window).
struct COPYDATASTRUCT {
    std::uintptr_t dwData;
    DWORD cbData;
    const void* lpData;
};

// lParam of WM_WINDOWPOSCHANGING / WM_WINDOWPOSCHANGED; a handler may change the values.
struct WINDOWPOS {
    HWND hwnd;
    HWND hwndInsertAfter;
    std::int32_t x;
    std::int32_t y;
    std::int32_t cx;
    std::int32_t cy;
    UINT flags;
};

// lParam of WM_GETMINMAXINFO.
struct MINMAXINFO {
    POINT ptReserved;
    POINT ptMaxSize;
    POINT ptMaxPosition;
    POINT ptMinTrackSize;
    POINT ptMaxTrackSize;
};

// lParam of WM_CREATE.
struct CREATESTRUCT {
    void* lpCreateParams;
    HMODULE hInstance;
    HWND hwndParent;
    std::int32_t cy;
    std::int32_t cx;
    std::int32_t y;
    std::int32_t x;
    DWORD style;
    const char* lpszName;
    const char* lpszClass;
    DWORD dwExStyle;
};

struct TRACKMOUSEEVENT {
    DWORD dwFlags;
    HWND hwndTrack;
    DWORD dwHoverTime;
};

} // namespace plat::win
