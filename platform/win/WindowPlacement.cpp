// Position, size, z-order request and visibility of windows.
#include "platform/win/HandleTable.h"
#include "platform/win/Message.h"
#include "platform/win/Window.h"

namespace plat::win {

namespace {

bool IsSpecialInsertAfter(HWND insertAfter) {
    return insertAfter == HWND_TOP || insertAfter == HWND_BOTTOM || insertAfter == HWND_TOPMOST ||
           insertAfter == HWND_NOTOPMOST;
}

void ApplyZOrder(WindowEntry& entry, HWND insertAfter) {
    if (insertAfter == HWND_TOPMOST) {
        entry.exStyle |= WS_EX_TOPMOST;
    } else if (insertAfter == HWND_NOTOPMOST || insertAfter == HWND_BOTTOM) {
        entry.exStyle &= ~WS_EX_TOPMOST;
    }
}

void SetVisible(WindowEntry& entry, bool visible) {
    entry.style = visible ? entry.style | WS_VISIBLE : entry.style & ~WS_VISIBLE;
}

// Applies the (possibly changed) request and writes the resulting placement back into it.
void ApplyPosition(WindowEntry& entry, WINDOWPOS& pos) {
    if ((pos.flags & SWP_NOMOVE) == 0) {
        entry.x = pos.x;
        entry.y = pos.y;
    }
    if ((pos.flags & SWP_NOSIZE) == 0) {
        entry.cx = pos.cx;
        entry.cy = pos.cy;
    }
    if ((pos.flags & SWP_NOZORDER) == 0) {
        ApplyZOrder(entry, pos.hwndInsertAfter);
    }
    if ((pos.flags & SWP_SHOWWINDOW) != 0) {
        SetVisible(entry, true);
    } else if ((pos.flags & SWP_HIDEWINDOW) != 0) {
        SetVisible(entry, false);
    }
    pos.x = entry.x;
    pos.y = entry.y;
    pos.cx = entry.cx;
    pos.cy = entry.cy;
}

// The screen position of the window's client origin: its own position plus its ancestors'.
std::optional<POINT> ScreenOrigin(HWND hwnd) {
    POINT origin{0, 0};
    if (!HandleTable::Instance().ForChain(hwnd, [&](const WindowEntry& entry) {
            origin.x += entry.x;
            origin.y += entry.y;
        })) {
        return std::nullopt;
    }
    return origin;
}

} // namespace

bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    const bool validOrder =
        (flags & SWP_NOZORDER) != 0 || IsSpecialInsertAfter(insertAfter) || IsWindow(insertAfter);
    if (!IsWindow(hwnd) || !validOrder) {
        return false;
    }
    WINDOWPOS pos{hwnd, insertAfter, x, y, cx, cy, flags};
    SendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if (!HandleTable::Instance().Access(hwnd, [&](WindowEntry& entry) { ApplyPosition(entry, pos); })) {
        return false;
    }
    SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    return true;
}

bool GetWindowRect(HWND hwnd, RECT* out) {
    const auto origin = ScreenOrigin(hwnd);
    RECT client{};
    if (out == nullptr || !origin || !GetClientRect(hwnd, &client)) {
        return false;
    }
    *out = RECT{origin->x, origin->y, origin->x + client.right, origin->y + client.bottom};
    return true;
}

bool GetClientRect(HWND hwnd, RECT* out) {
    return out != nullptr && HandleTable::Instance().Access(hwnd, [&](const WindowEntry& entry) {
        *out = RECT{0, 0, entry.cx, entry.cy};
    });
}

bool ClientToScreen(HWND hwnd, POINT* pt) {
    const auto origin = ScreenOrigin(hwnd);
    if (pt == nullptr || !origin) {
        return false;
    }
    pt->x += origin->x;
    pt->y += origin->y;
    return true;
}

bool ShowWindow(HWND hwnd, int cmd) {
    auto& table = HandleTable::Instance();
    bool wasVisible = false;
    if (!table.Access(hwnd,
                      [&](const WindowEntry& entry) { wasVisible = (entry.style & WS_VISIBLE) != 0; })) {
        return false;
    }
    const bool show = cmd != SW_HIDE;
    if (show != wasVisible) {
        SendMessage(hwnd, WM_SHOWWINDOW, show, 0);
        table.Access(hwnd, [&](WindowEntry& entry) { SetVisible(entry, show); });
    }
    return wasVisible;
}

bool IsWindowVisible(HWND hwnd) {
    bool visible = true;
    const bool known = HandleTable::Instance().ForChain(
        hwnd, [&](const WindowEntry& entry) { visible = visible && (entry.style & WS_VISIBLE) != 0; });
    return known && visible;
}

} // namespace plat::win
