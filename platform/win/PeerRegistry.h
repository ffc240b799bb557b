#pragma once
// The process's side of the runtime folder: the windows it publishes to other processes of the user
// (a socket and a small file naming the window's class and title, kept current as the title
// changes), the finding of windows other processes published, and the handles of ours that stand
// for windows of other processes. A message sent or posted to such a handle goes to its process.
#include "platform/win/PeerAddress.h"
#include "platform/win/Types.h"

#include <sys/types.h>

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace plat::win {

class PeerEndpoint;

class PeerRegistry {
public:
    static PeerRegistry& Instance();

    bool Publish(HWND hwnd);
    void Unpublish(HWND hwnd);
    void TitleChanged(HWND hwnd);

    // A handle for the newest live window another process published with this class and title
    // (compared without regard to case); 0 when there is none. Files of dead processes are removed.
    HWND Find(std::string_view className, std::string_view title);

    // The handle standing for the window of that process, made on first use; 0 for no window.
    HWND ProxyFor(pid_t pid, HWND remote);
    // The address behind a handle made by ProxyFor or Find.
    std::optional<PeerAddress> AddressOf(HWND hwnd) const;
    // Drops a handle whose process has gone.
    void Forget(HWND hwnd);

    static std::string BaseName(pid_t pid, HWND hwnd);

private:
    PeerRegistry() = default;
    bool WriteDescription(const std::string& folder, HWND hwnd) const;
    void DropDeadProxies();

    mutable std::mutex mutex_;
    std::map<HWND, std::unique_ptr<PeerEndpoint>> endpoints_;
    std::map<std::pair<pid_t, HWND>, HWND> proxies_;
};

} // namespace plat::win
