#pragma once
// The hidden window through which a player object hears from the core and its timers. The window class
// is registered unless it exists; the window has an empty title, no style and no size; its messages go
// to the handler. Destroying the window never posts a quit message, so that it cannot end the host's
// event loop.
#include "platform/win/Types.h"

#include <string>

class TCallbackWindow {
public:
    class THandler {
    public:
        virtual plat::win::LRESULT HandleMessage(plat::win::HWND hwnd, plat::win::UINT msg,
                                                 plat::win::WPARAM wParam, plat::win::LPARAM lParam) = 0;

    protected:
        ~THandler() = default;
    };

    // Failures are reported at level 0 as "<unitTag> Unable to register the windows class" and
    // "<unitTag> Error creating the callback window"; the object then has no window.
    TCallbackWindow(const char* className, const char16_t* unitTag, THandler& handler);
    // Closes the window (when it still exists) and unregisters the class when no window of it is left.
    ~TCallbackWindow();
    TCallbackWindow(const TCallbackWindow&) = delete;
    TCallbackWindow& operator=(const TCallbackWindow&) = delete;

    // 0 when the window could not be created.
    plat::win::HWND Handle() const { return hwnd_; }

    // The answers every callback window gives: WM_CLOSE destroys the window, WM_DESTROY and WM_PAINT
    // answer 0, WM_ERASEBKGND 1, everything else goes to DefWindowProc.
    static plat::win::LRESULT DefaultAnswer(plat::win::HWND hwnd, plat::win::UINT msg,
                                            plat::win::WPARAM wParam, plat::win::LPARAM lParam);

private:
    static plat::win::LRESULT Procedure(plat::win::HWND hwnd, plat::win::UINT msg, plat::win::WPARAM wParam,
                                        plat::win::LPARAM lParam);

    std::string className_;
    THandler* handler_;
    plat::win::HWND hwnd_ = 0;
};
