#pragma once
// Window classes and windows. A window here is a message sink with a window procedure, owned by
// the thread that created it; it has the state the system reads back (class, title, styles,
// position and size, visibility, parent, z-order request, user data). Visible presentation is
// added by the video layer on top of these records.
#include "platform/win/Types.h"

#include <string>
#include <string_view>
#include <thread>

namespace plat::win {

struct WNDCLASS {
    UINT style = 0;
    WNDPROC lpfnWndProc = nullptr;
    HMODULE hInstance = nullptr;
    std::string lpszClassName;
};

// Class registration, process-wide; class names compare without regard to case.
bool RegisterClass(const WNDCLASS& wc); // false when the name is taken or empty, or no procedure
bool GetClassInfo(std::string_view className, WNDCLASS* out);
bool UnregisterClass(std::string_view className); // false while windows of the class exist

// Creates a window of a registered class, owned by the calling thread. WM_CREATE is sent with a
// CREATESTRUCT; an answer of -1 destroys the window again and gives 0. Size and position take the
// given values (CW_USEDEFAULT gives 0). Answers 0 for an unknown class.
HWND CreateWindowEx(DWORD exStyle, std::string_view className, std::string_view title, DWORD style, int x,
                    int y, int cx, int cy, HWND parent, void* param);

// Sends WM_DESTROY then WM_NCDESTROY to the window (and first destroys its child windows), then
// frees the handle; pending posted messages and timers of the window are dropped. Never posts a
// quit message. Must run on the owning thread; false for an invalid handle or another thread.
bool DestroyWindow(HWND hwnd);
bool IsWindow(HWND hwnd);

// The default procedure: WM_CLOSE destroys the window; WM_SETTEXT/WM_GETTEXT reach the title;
// everything else answers 0.
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

std::intptr_t SetWindowLongPtr(HWND hwnd, int index, std::intptr_t value); // answers the old value
std::intptr_t GetWindowLongPtr(HWND hwnd, int index);

// Sends WM_WINDOWPOSCHANGING (the procedure may change the WINDOWPOS), applies it, then sends
// WM_WINDOWPOSCHANGED. HWND_TOPMOST sets WS_EX_TOPMOST, HWND_NOTOPMOST/HWND_BOTTOM clear it.
bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
bool GetWindowRect(HWND hwnd, RECT* out);
bool GetClientRect(HWND hwnd, RECT* out); // (0, 0, width, height)
// The position of a window's client origin in screen coordinates: the sum of the positions of the
// window and its parents.
bool ClientToScreen(HWND hwnd, POINT* pt);

// SW_HIDE / SW_SHOW: sends WM_SHOWWINDOW when the visibility changes; answers the old visibility.
bool ShowWindow(HWND hwnd, int cmd);
bool IsWindowVisible(HWND hwnd);

HWND SetParent(HWND hwnd, HWND parent); // answers the old parent, 0 on failure
HWND GetParent(HWND hwnd);

bool SetWindowText(HWND hwnd, std::string_view text);
int GetWindowText(HWND hwnd, char* buffer, int size); // characters copied (cut at a UTF-8 boundary)
std::string GetWindowTextString(HWND hwnd);
int GetClassName(HWND hwnd, char* buffer, int size); // 0 for an invalid handle

// Finds a window of this process by class and/or title (an empty view matches any); 0 when none.
HWND FindWindow(std::string_view className, std::string_view title);

// The thread that owns the window (a default id for an invalid handle).
std::thread::id GetWindowThread(HWND hwnd);

// Mouse capture and tracking requests; the input layer that feeds mouse messages honours them.
HWND SetCapture(HWND hwnd);
bool ReleaseCapture();
HWND GetCapture();
bool TrackMouseEvent(const TRACKMOUSEEVENT& request);
// The tracking request last made for a window (dwFlags 0 when none).
TRACKMOUSEEVENT GetMouseTracking(HWND hwnd);

// The cursor's display count, process-wide: showing raises it, hiding lowers it, and the cursor shows
// while it is at least 0 (IsCursorShown). Answers the new count. The count is kept for the windows
// that hide and show the cursor in pairs; no window shows or hides the pointer by it.
int ShowCursor(bool show);
bool IsCursorShown();

// The window brought to the front for the user (the host raises it); false for an invalid handle.
bool SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow(); // 0 when none, or when it is gone

} // namespace plat::win
