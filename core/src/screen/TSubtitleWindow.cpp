#include "core/src/screen/TSubtitleWindow.h"

#include "platform/gdi/Colour.h"
#include "platform/win/Debug.h"
#include "platform/win/Message.h"
#include "platform/win/Window.h"

#include <algorithm>
#include <string>

namespace win = plat::win;

namespace {

constexpr win::DWORD kClipping = 0x06000000; // clipping siblings and children
constexpr win::DWORD kExStyle = 0x84;        // tool window, no parent notification
constexpr int kInitialWidth = 320;
constexpr int kInitialHeight = 240;

win::LPARAM PackPoint(int x, int y) {
    return static_cast<win::LPARAM>((static_cast<std::uint32_t>(y & 0xFFFF) << 16) |
                                    static_cast<std::uint32_t>(x & 0xFFFF));
}

} // namespace

TSubtitleWindow::TSubtitleWindow(TCoreObject* owner) : TCoreWindow(owner) {
    SetStyle(win::WS_POPUP | kClipping);
    SetExStyle(kExStyle);
}

TSubtitleWindow::~TSubtitleWindow() {
    closing_ = true;
}

int TSubtitleWindow::CreateScreen() {
    const int result = CreateDefault(kWindowClass, "", 0);
    TCoreWindowRoot::Resize(kInitialWidth, kInitialHeight);
    return result;
}

void TSubtitleWindow::SetMode(bool overlay, bool show, bool bitmap) {
    {
        std::lock_guard lock(mutex_);
        overlayFlag_ = overlay;
        showFlag_ = show;
        bitmapFlag_ = bitmap;
        mode_ = overlay  ? TDrawingMode::Overlay
                : bitmap ? TDrawingMode::Bitmap
                : show   ? TDrawingMode::ShownOnly
                         : TDrawingMode::None;
    }
    if (show && visible_) {
        ShowAndPaint();
    } else {
        Hide();
    }
}

// A window that comes into view is painted, which makes the overlay's surfaces.
void TSubtitleWindow::ShowAndPaint() {
    Show();
    win::PostMessage(Handle(), win::WM_PAINT, 0, 0);
}

TSubtitleWindow::TDrawingMode TSubtitleWindow::Mode() const {
    std::lock_guard lock(mutex_);
    return mode_;
}

void TSubtitleWindow::SetColorKey(std::uint32_t colour) {
    bool repaint = false;
    {
        std::lock_guard lock(mutex_);
        colorKey_ = colour;
        if (mode_ != TDrawingMode::Bitmap) {
            keyChanged_ = true;
            repaint = true;
        }
    }
    if (repaint && Handle() != 0) {
        win::PostMessage(Handle(), win::WM_PAINT, 0, 0);
    }
}

std::uint32_t TSubtitleWindow::ColorKey() const {
    std::lock_guard lock(mutex_);
    return colorKey_;
}

void TSubtitleWindow::SetVideoWindow(HWND window) {
    if (Handle() != 0 && videoWindow_ != 0 && win::GetParent(Handle()) == videoWindow_) {
        win::SetParent(Handle(), window);
    }
    videoWindow_ = window;
}

void TSubtitleWindow::SetOwnerWindow(HWND window) {
    ownerWindow_ = window;
    if (Handle() == 0) {
        return;
    }
    const DWORD style =
        kClipping | (window != 0 ? win::WS_CHILD : win::WS_POPUP) | (visible_ ? win::WS_VISIBLE : 0);
    win::SetParent(Handle(), window);
    win::SetWindowLongPtr(Handle(), win::GWL_STYLE, style);
}

void TSubtitleWindow::ShowOnVideo(bool show) {
    bool shown = false;
    {
        std::lock_guard lock(mutex_);
        shown = showFlag_ && show;
    }
    visible_ = shown;
    if (shown) {
        ShowAndPaint();
    } else {
        Hide();
    }
}

// In full screen the window lies in the video window; in windowed mode in the owner window. Either
// way it is a child where it has a parent, else a pop-up.
win::DWORD TSubtitleWindow::ComputedStyle() const {
    const bool child =
        screenMode_ == kFullScreen ? videoWindow_ != 0 && ownerWindow_ != 0 : ownerWindow_ != 0;
    return kClipping | (child ? win::WS_CHILD : win::WS_POPUP) | (visible_ ? win::WS_VISIBLE : 0);
}

std::uint32_t TSubtitleWindow::SetScreenMode(std::uint32_t mode) {
    if (mode == kToggle) {
        mode = screenMode_ == kFullScreen ? kWindowed : kFullScreen;
    }
    if ((mode != kWindowed && mode != kFullScreen) || Handle() == 0) {
        return screenMode_;
    }
    screenMode_ = mode;
    if (mode == kFullScreen) {
        win::GetWindowRect(Handle(), &savedPlacement_);
    }
    win::SetWindowLongPtr(Handle(), win::GWL_STYLE, ComputedStyle());
    win::SetParent(Handle(), mode == kFullScreen ? videoWindow_ : ownerWindow_);
    RefreshPosition();
    if (visible_) {
        Show();
        if (mode == kFullScreen) {
            win::SetForegroundWindow(Handle());
        }
    }
    win::PostMessage(Handle(), win::WM_SIZE, 0, 0);
    return screenMode_;
}

void TSubtitleWindow::RefreshPosition() {
    const HWND area = screenMode_ == kFullScreen ? videoWindow_ : ownerWindow_;
    RECT client{};
    if (Handle() == 0 || area == 0 || !win::GetClientRect(area, &client)) {
        return;
    }
    win::SetWindowPos(Handle(), 0, 0, 0, client.right, client.bottom,
                      win::SWP_NOZORDER | win::SWP_NOACTIVATE);
    TCoreVisual::Move(0, 0);
    TCoreVisual::Resize(client.right, client.bottom);
    Notify(win::WM_MOVE, 0, 0);
}

void TSubtitleWindow::ShowCursor(bool show) {
    if (show) {
        while (win::ShowCursor(true) < 0) {
        }
    } else {
        while (win::ShowCursor(false) >= 0) {
        }
    }
}

QImage* TSubtitleWindow::BeginPicture(RECT& client) {
    std::lock_guard lock(mutex_);
    if (painting_ || Handle() == 0 || !win::GetClientRect(Handle(), &client) || client.right <= 0 ||
        client.bottom <= 0 || (mode_ != TDrawingMode::Overlay && mode_ != TDrawingMode::Bitmap) ||
        (mode_ == TDrawingMode::Overlay && !surfaces_)) {
        return nullptr;
    }
    TBackImage& back = backs_[current_];
    const QSize size(client.right, client.bottom);
    if (back.image.size() != size) {
        back.image = QImage(size, QImage::Format_ARGB32_Premultiplied);
        back.dirty = back.image.rect();
        if (back.image.isNull()) {
            return nullptr; // no memory for the picture
        }
    }
    if (mode_ == TDrawingMode::Overlay) {
        win::OutputDebugString("Start Overlay\n");
        keyChanged_ = false; // our surfaces hold the key as it is: nothing to convert
        back.image.fill(QColor::fromRgb(plat::gdi::ToArgb(colorKey_)));
    } else {
        for (int y = back.dirty.top(); y <= back.dirty.bottom(); ++y) {
            std::fill_n(reinterpret_cast<QRgb*>(back.image.scanLine(y)) + back.dirty.left(),
                        back.dirty.width(), QRgb{0});
        }
    }
    painting_ = true;
    return &back.image;
}

QImage TSubtitleWindow::EndPicture(std::optional<QRect> painted) {
    std::lock_guard lock(mutex_);
    if (!painting_) {
        lastResult_ = false;
        return QImage();
    }
    painting_ = false;
    TBackImage& back = backs_[current_];
    back.dirty = painted ? painted->intersected(back.image.rect()) : back.image.rect();
    current_ = 1 - current_;
    lastResult_ = mode_ != TDrawingMode::Overlay || surfaces_;
    if (mode_ == TDrawingMode::Overlay && surfaces_) {
        shown_ = back.image;
    }
    return back.image;
}

QImage TSubtitleWindow::ShownPicture() const {
    std::lock_guard lock(mutex_);
    return shown_;
}

bool TSubtitleWindow::SurfacesReady() const {
    std::lock_guard lock(mutex_);
    return surfaces_;
}

void TSubtitleWindow::TraceEnter(std::string_view name) {
    win::OutputDebugString("::: Subtitler - Enter Critical :::" + std::string(name) + "\n");
}

void TSubtitleWindow::CreateSurfaces() {
    std::lock_guard lock(mutex_);
    surfaces_ = true;
}

// A picture being drawn keeps its image; it is dropped when it closes.
void TSubtitleWindow::ReleaseSurfaces() {
    std::lock_guard lock(mutex_);
    if (surfaces_) {
        win::OutputDebugString("Bye Bye SURBACK\n");
    }
    surfaces_ = false;
    shown_ = QImage();
}

bool TSubtitleWindow::Resize(int cx, int cy) {
    if (screenMode_ == kFullScreen && videoWindow_ == 0) {
        return false;
    }
    return TCoreWindow::Resize(cx, cy);
}

bool TSubtitleWindow::Move(int x, int y) {
    return screenMode_ != kFullScreen && TCoreWindow::Move(x, y);
}

void TSubtitleWindow::Notify(UINT msg, WPARAM wParam, LPARAM lParam) const {
    if (notification_) {
        notification_(msg, wParam, lParam);
    }
}

// The surfaces come back at the first repaint after they went; then the player redraws the picture.
void TSubtitleWindow::OnPaint() {
    win::OutputDebugString("::: PAINTOOOO \n");
    TraceEnter("WM_PAINT");
    if (Mode() == TDrawingMode::Overlay && !SurfacesReady() && visible_) {
        win::OutputDebugString("Recreate Surface\n");
        ReleaseSurfaces();
        if (visible_) {
            CreateSurfaces();
        } else {
            win::OutputDebugString("====> Window Not visible\n");
        }
    }
    bool open = false;
    {
        std::lock_guard lock(mutex_);
        open = painting_;
    }
    if (!open && SurfacesReady() && repaint_) {
        repaint_();
        std::lock_guard lock(mutex_);
        lastResult_ = false;
    }
    win::OutputDebugString("Painto\n");
}

// Moves and sizes are told as the messages that report them.
void TSubtitleWindow::OnPositionChanged(const plat::win::WINDOWPOS& pos) {
    if ((pos.flags & win::SWP_NOMOVE) == 0) {
        Notify(win::WM_MOVE, 0, PackPoint(pos.x, pos.y));
    }
    if ((pos.flags & win::SWP_NOSIZE) == 0) {
        Notify(win::WM_SIZE, 0, PackPoint(pos.cx, pos.cy));
    }
}

// Mouse input goes on to the program's window, whose answer is the window's.
win::LRESULT TSubtitleWindow::Forward(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Notify(msg, wParam, lParam);
    if (ownerWindow_ != 0) {
        return win::PostMessage(ownerWindow_, msg, wParam, lParam) ? 1 : 0;
    }
    return TCoreWindow::WindowProc(hwnd, msg, wParam, lParam);
}

win::LRESULT TSubtitleWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case win::WM_ERASEBKGND:
        if (Mode() != TDrawingMode::None) {
            return 1;
        }
        break;
    case win::WM_CLOSE:
    case win::WM_DESTROY:
        if (!closing_) {
            return 0;
        }
        break;
    case win::WM_MOVE:
    case win::WM_SIZE:
        Notify(msg, wParam, lParam);
        break;
    case win::WM_WINDOWPOSCHANGED:
        if (lParam != 0) {
            OnPositionChanged(*reinterpret_cast<const win::WINDOWPOS*>(lParam));
        }
        break;
    case win::WM_PAINT:
        if (Mode() == TDrawingMode::None || Mode() == TDrawingMode::Overlay) {
            OnPaint();
            return 0;
        }
        break;
    case win::WM_DISPLAYCHANGE:
        if (Mode() == TDrawingMode::Overlay) {
            ReleaseSurfaces();
        }
        break;
    case win::WM_TIMER:
    case win::WM_MOUSEMOVE:
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONDBLCLK:
    case win::WM_RBUTTONDOWN:
        return Forward(hwnd, msg, wParam, lParam);
    default:
        break;
    }
    return TCoreWindow::WindowProc(hwnd, msg, wParam, lParam);
}
