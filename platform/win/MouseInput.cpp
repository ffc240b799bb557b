// Mouse capture and tracking requests; the input layer that produces mouse messages reads them.
#include "platform/win/HandleTable.h"
#include "platform/win/Window.h"

#include <atomic>

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

TRACKMOUSEEVENT GetMouseTracking(HWND hwnd) {
    TRACKMOUSEEVENT tracking{};
    HandleTable::Instance().Access(hwnd, [&](const WindowEntry& entry) { tracking = entry.tracking; });
    return tracking;
}

} // namespace plat::win
