#pragma once
// Windows that other processes of the same user can find and message (the player's main window that
// a second start hands its command line to, the editor's main window). Messages to a found window go
// through SendMessage and PostMessage as to any other: only WM_NULL, WM_CLOSE, WM_COPYDATA (sent, with
// its block) and messages from WM_USER up cross; a WM_COPYDATA arrives with wParam a handle that
// stands for the sending window of the other process.
#include "platform/win/Types.h"

#include <chrono>
#include <functional>
#include <string_view>

namespace plat::win {

// Publishes a window of the calling thread under its class and title (kept current as the title
// changes) until it is destroyed. False when the runtime folder cannot be used.
bool PublishWindow(HWND hwnd);

// Like FindWindow, among the windows that other processes published; 0 when none.
HWND FindPeerWindow(std::string_view className, std::string_view title);

// Waits until another process publishes such a window, woken by each change of the runtime folder,
// for at most `limit`. `stopWaiting` is asked between the looks (at least every `recheck`); when it
// answers true the wait ends with 0, as it does at the limit.
HWND WaitForPeerWindow(std::string_view className, std::string_view title, std::chrono::milliseconds limit,
                       std::chrono::milliseconds recheck, const std::function<bool()>& stopWaiting);

// True for a handle that stands for a window of another process.
bool IsPeerWindow(HWND hwnd);

} // namespace plat::win
