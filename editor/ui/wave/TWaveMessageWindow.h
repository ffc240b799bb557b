#pragma once
// The hidden window through which the wave display hears from its player and its timer: messages
// posted by the player's audio thread arrive on the display's thread and go to the handler.
#include "platform/win/Types.h"

#include <functional>

class TWaveMessageWindow {
public:
    using Handler = std::function<plat::win::LRESULT(plat::win::UINT, plat::win::WPARAM, plat::win::LPARAM)>;

    explicit TWaveMessageWindow(Handler handler);
    ~TWaveMessageWindow();
    TWaveMessageWindow(const TWaveMessageWindow&) = delete;
    TWaveMessageWindow& operator=(const TWaveMessageWindow&) = delete;

    plat::win::HWND Handle() const { return hwnd_; }

private:
    static plat::win::LRESULT Procedure(plat::win::HWND hwnd, plat::win::UINT msg, plat::win::WPARAM wParam,
                                        plat::win::LPARAM lParam);

    Handler handler_;
    plat::win::HWND hwnd_ = 0;
};
