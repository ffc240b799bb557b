#include "platform/win/Peer.h"

#include "platform/win/HandleTable.h"
#include "platform/win/PeerRegistry.h"

namespace plat::win {

bool PublishWindow(HWND hwnd) {
    return PeerRegistry::Instance().Publish(hwnd);
}

HWND FindPeerWindow(std::string_view className, std::string_view title) {
    return PeerRegistry::Instance().Find(className, title);
}

bool IsPeerWindow(HWND hwnd) {
    return HandleTable::Instance().PeerOf(hwnd) != nullptr;
}

} // namespace plat::win
