#pragma once
// The core's window that carries the subtitle picture over the video (class "RenderWindow"). It lies
// exactly over the video area: a child of the program's video panel in windowed mode, of the
// full-screen window in full screen. The picture is drawn into a back image the size of its client
// area. With a mixing renderer (mode 2, the one our video surface uses) the finished picture goes to
// the renderer, which mixes it over the video; with a colour-keyed overlay (mode 1) the back image is
// filled with the key and the window itself shows the finished picture. Mouse input goes on to the
// program's window, and the window refuses to close until its player lets it.
//
// BeginPicture and EndPicture run under the player's subtitle lock, on whichever thread redraws; the
// window's messages run on the thread that created it.
#include "core/src/framework/TCoreWindow.h"

#include <QImage>

#include <array>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string_view>

class TSubtitleWindow : public TCoreWindow {
public:
    using RECT = plat::win::RECT;
    static constexpr const char* kWindowClass = "RenderWindow";

    enum class TDrawingMode : std::uint8_t { None = 0, Overlay = 1, Bitmap = 2, ShownOnly = 3 };
    // Screen modes of SetScreenMode.
    static constexpr std::uint32_t kAskMode = 0;
    static constexpr std::uint32_t kWindowed = 1;
    static constexpr std::uint32_t kFullScreen = 2;
    static constexpr std::uint32_t kToggle = 3;

    // Told of moves, sizes, paints and forwarded mouse messages: the message and its two values.
    using TNotification = std::function<void(UINT msg, WPARAM wParam, LPARAM lParam)>;

    explicit TSubtitleWindow(TCoreObject* owner);
    ~TSubtitleWindow() override;

    // Creates the window (no parent) at 320 x 240.
    int CreateScreen();

    // Mode Overlay with the overlay flag, else Bitmap with the bitmap flag, else ShownOnly with the show
    // flag, else None; the window is shown when the show flag is set and it was last shown.
    void SetMode(bool overlay, bool show, bool bitmap);
    TDrawingMode Mode() const;
    // The key colour (0x00BBGGRR); outside the bitmap mode it is marked changed and the window
    // repainted.
    void SetColorKey(std::uint32_t colour);
    std::uint32_t ColorKey() const;
    // The window it lies in in full screen; when it lies in the old one, it moves into the new one.
    void SetVideoWindow(HWND window);
    // The program's window that gets the mouse input and is the parent in windowed mode; none makes
    // the window a pop-up.
    void SetOwnerWindow(HWND window);
    HWND VideoWindow() const { return videoWindow_; }
    HWND OwnerWindow() const { return ownerWindow_; }
    // Shown when the mode's show flag and `show` are both set (remembered as shown), else hidden.
    void ShowOnVideo(bool show);
    // 0 asks, 1 windowed, 2 full screen, 3 toggles; answers the screen mode.
    std::uint32_t SetScreenMode(std::uint32_t mode);
    // The placement saved when the window last went full screen.
    RECT SavedPlacement() const { return savedPlacement_; }
    // Takes the client size of the video window in full screen, of the owner window in windowed mode,
    // and covers it from (0, 0); then tells the move.
    void RefreshPosition();
    // From now on the window closes when asked.
    void SetClosing() { closing_ = true; }
    // Shows or hides the mouse cursor (a display count that must reach 0, or fall below it).
    void ShowCursor(bool show);

    // Opens the picture: mode Overlay, the back image filled with the key; mode Bitmap, a back image
    // cleared to transparent; both the client area's size, which `client` receives. Null when
    // nothing can be drawn (another mode, no surfaces yet, a picture open, an empty client area).
    // Two back images take turns, so that the one handed on last stays untouched; each is cleared
    // only where it was painted before.
    QImage* BeginPicture(RECT& client);
    // Closes the picture; `painted` is where it was drawn on (none: anywhere). Mode Bitmap hands it
    // back to the caller, who gives it to the renderer; mode Overlay makes it the picture the window
    // shows and answers it. Null when none was open.
    QImage EndPicture(std::optional<QRect> painted = std::nullopt);
    // The picture the window shows in mode Overlay (null before the first).
    QImage ShownPicture() const;
    bool SurfacesReady() const;
    // The traces around a redraw.
    static void TraceEnter(std::string_view name);
    static void TraceLeave(std::string_view name) {}

    void SetNotification(TNotification notification) { notification_ = std::move(notification); }
    void SetRepaintRequest(std::function<void()> repaint) { repaint_ = std::move(repaint); }

    bool Resize(int cx, int cy) override;
    bool Move(int x, int y) override;
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    DWORD ComputedStyle() const;
    void ShowAndPaint();
    void Notify(UINT msg, WPARAM wParam, LPARAM lParam) const;
    void OnPaint();
    void OnPositionChanged(const plat::win::WINDOWPOS& pos);
    LRESULT Forward(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void CreateSurfaces();
    void ReleaseSurfaces();

    mutable std::mutex mutex_; // what the picture's thread and the window's thread share below
    TDrawingMode mode_ = TDrawingMode::None;
    bool overlayFlag_ = false;
    bool showFlag_ = false;
    bool bitmapFlag_ = false;
    std::uint32_t screenMode_ = kWindowed;
    RECT savedPlacement_{};
    bool visible_ = false;
    bool closing_ = false;
    bool surfaces_ = false;
    bool painting_ = false;
    struct TBackImage {
        QImage image;
        QRect dirty; // where it may hold anything but transparency
    };
    std::array<TBackImage, 2> backs_;
    std::size_t current_ = 0; // the back image the next picture is drawn on
    QImage shown_;
    std::uint32_t colorKey_ = 0;
    bool keyChanged_ = false;
    HWND ownerWindow_ = 0;
    HWND videoWindow_ = 0;
    TNotification notification_;
    std::function<void()> repaint_;
    bool lastResult_ = false;
};
