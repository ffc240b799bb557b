#pragma once
// The sending side of messages to windows of other processes. A send waits for the answer while the
// calling thread goes on answering the messages sent to its own windows (also those that the peer
// sends back while it handles ours); a peer that dies or goes answers 0. Each thread keeps its idle
// connections, so that its messages to one window arrive in the order they were sent.
#include "platform/win/PeerAddress.h"
#include "platform/win/Types.h"

namespace plat::win {

class PeerSender {
public:
    // proxy is our handle for the window; it is dropped when its process has gone.
    static LRESULT Send(HWND proxy, const PeerAddress& address, UINT msg, WPARAM wParam, LPARAM lParam);
    static bool Post(HWND proxy, const PeerAddress& address, UINT msg, WPARAM wParam, LPARAM lParam);
};

} // namespace plat::win
