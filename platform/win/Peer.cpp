#include "platform/win/Peer.h"

#include "platform/win/HandleTable.h"
#include "platform/win/PeerRegistry.h"
#include "platform/win/RuntimeFolder.h"

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>

namespace plat::win {

bool PublishWindow(HWND hwnd) {
    return PeerRegistry::Instance().Publish(hwnd);
}

HWND FindPeerWindow(std::string_view className, std::string_view title) {
    return PeerRegistry::Instance().Find(className, title);
}

HWND WaitForPeerWindow(std::string_view className, std::string_view title, std::chrono::milliseconds limit,
                       std::chrono::milliseconds recheck, const std::function<bool()>& stopWaiting) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    // Watching before the first look: a window published in between still wakes the wait.
    const int watch = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    const std::string folder = RuntimeFolder();
    if (watch >= 0 && !folder.empty()) {
        inotify_add_watch(watch, folder.c_str(), IN_MOVED_TO | IN_CLOSE_WRITE | IN_DELETE);
    }
    HWND found = 0;
    while ((found = FindPeerWindow(className, title)) == 0 && !stopWaiting()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            break;
        }
        pollfd descriptor{watch, POLLIN, 0};
        if (poll(&descriptor, watch >= 0 ? 1 : 0, static_cast<int>(std::min(left, recheck).count())) > 0) {
            char events[4096];
            while (read(watch, events, sizeof events) > 0) {
            }
        }
    }
    if (watch >= 0) {
        close(watch);
    }
    return found;
}

bool IsPeerWindow(HWND hwnd) {
    return HandleTable::Instance().PeerOf(hwnd) != nullptr;
}

} // namespace plat::win
