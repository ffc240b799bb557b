// Mouse capture and tracking requests; the input layer that produces mouse messages reads them.
#include "platform/win/MouseInput.h"

#include "platform/win/HandleTable.h"
#include "platform/win/Window.h"

#include <atomic>
#include <vector>

namespace plat::win {

namespace {

constexpr DWORD kTrackingKinds = TME_HOVER | TME_LEAVE;

std::atomic<HWND> captureWindow{0};

// The capture window, or 0 when it has gone since.
HWND Live(HWND hwnd) {
    return IsWindow(hwnd) ? hwnd : 0;
}

void Track(TRACKMOUSEEVENT& tracking, const TRACKMOUSEEVENT& request) {
    const DWORD kinds = request.dwFlags & kTrackingKinds;
    if ((request.dwFlags & TME_CANCEL) != 0) {
        tracking.dwFlags &= ~kinds;
    } else {
        tracking.dwFlags |= kinds;
        tracking.dwHoverTime = (kinds & TME_HOVER) != 0 ? request.dwHoverTime : tracking.dwHoverTime;
    }
    if ((tracking.dwFlags & TME_HOVER) == 0) {
        tracking.dwHoverTime = 0;
    }
    tracking.hwndTrack = request.hwndTrack;
}

} // namespace

HWND SetCapture(HWND hwnd) {
    if (!IsWindow(hwnd)) {
        return 0;
    }
    return Live(captureWindow.exchange(hwnd));
}

bool ReleaseCapture() {
    captureWindow.store(0);
    return true;
}

HWND GetCapture() {
    return Live(captureWindow.load());
}

bool TrackMouseEvent(const TRACKMOUSEEVENT& request) {
    return HandleTable::Instance().Access(request.hwndTrack,
                                          [&](WindowEntry& entry) { Track(entry.tracking, request); });
}

HWND ChildWindowFromPoint(HWND parent, POINT pt) {
    if (!IsWindow(parent)) {
        return 0;
    }
    const std::vector<HWND> children = HandleTable::Instance().ChildrenOf(parent);
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
        bool holds = false;
        HandleTable::Instance().Access(*child, [&](const WindowEntry& entry) {
            holds = (entry.style & WS_VISIBLE) != 0 && pt.x >= entry.x && pt.x < entry.x + entry.cx &&
                    pt.y >= entry.y && pt.y < entry.y + entry.cy;
        });
        if (holds) {
            return *child;
        }
    }
    return parent;
}

TRACKMOUSEEVENT GetMouseTracking(HWND hwnd) {
    TRACKMOUSEEVENT tracking{};
    HandleTable::Instance().Access(hwnd, [&](const WindowEntry& entry) { tracking = entry.tracking; });
    return tracking;
}

} // namespace plat::win
