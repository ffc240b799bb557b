#include "platform/win/PeerRegistry.h"

#include "platform/text/CaseFold.h"
#include "platform/win/HandleTable.h"
#include "platform/win/PeerEndpoint.h"
#include "platform/win/PeerSocket.h"
#include "platform/win/RuntimeFolder.h"
#include "platform/win/Window.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <vector>

namespace plat::win {

namespace {

constexpr std::size_t kMaxDescription = 4096;
constexpr std::size_t kMaxProxies = 64;

bool ProcessAlive(pid_t pid) {
    return pid > 0 && (kill(pid, 0) == 0 || errno == EPERM);
}

// "w-<pid>-<hwnd>.meta" -> pid and handle.
bool ParseDescriptionName(std::string_view name, pid_t* pid, HWND* hwnd) {
    constexpr std::string_view kPrefix = "w-";
    constexpr std::string_view kSuffix = ".meta";
    if (name.size() <= kPrefix.size() + kSuffix.size() || !name.starts_with(kPrefix) ||
        !name.ends_with(kSuffix)) {
        return false;
    }
    const std::string_view middle =
        name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
    const auto dash = middle.find('-');
    if (dash == std::string_view::npos) {
        return false;
    }
    const auto a = std::from_chars(middle.data(), middle.data() + dash, *pid);
    const auto b = std::from_chars(middle.data() + dash + 1, middle.data() + middle.size(), *hwnd);
    return a.ec == std::errc() && a.ptr == middle.data() + dash && b.ec == std::errc() &&
           b.ptr == middle.data() + middle.size() && *pid > 0 && *hwnd != 0;
}

// The class and title lines of a description file; nothing for a file that is not one of ours.
std::optional<std::pair<std::string, std::string>> ReadDescription(const std::string& path,
                                                                   timespec* written) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    std::string text(kMaxDescription, '\0');
    ssize_t size = -1;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == getuid()) {
        size = read(fd, text.data(), text.size());
        *written = info.st_mtim;
    }
    close(fd);
    if (size <= 0) {
        return std::nullopt;
    }
    text.resize(static_cast<std::size_t>(size));
    const auto first = text.find('\n');
    const auto second = first == std::string::npos ? first : text.find('\n', first + 1);
    if (second == std::string::npos) {
        return std::nullopt;
    }
    return std::make_pair(text.substr(0, first), text.substr(first + 1, second - first - 1));
}

bool Later(const timespec& a, const timespec& b) {
    return a.tv_sec != b.tv_sec ? a.tv_sec > b.tv_sec : a.tv_nsec > b.tv_nsec;
}

} // namespace

PeerRegistry& PeerRegistry::Instance() {
    // Never destroyed: connection threads may still run while the process exits.
    static auto* registry = new PeerRegistry();
    return *registry;
}

std::string PeerRegistry::BaseName(pid_t pid, HWND hwnd) {
    return "w-" + std::to_string(pid) + "-" + std::to_string(hwnd);
}

bool PeerRegistry::WriteDescription(const std::string& folder, HWND hwnd) const {
    char className[256] = {};
    GetClassName(hwnd, className, sizeof className);
    std::string text = std::string(className) + "\n" + GetWindowTextString(hwnd) + "\n";
    if (text.size() > kMaxDescription) {
        return false;
    }
    const std::string path = folder + "/" + BaseName(getpid(), hwnd) + ".meta";
    const std::string temporary = path + ".tmp";
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        return false;
    }
    const bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    close(fd);
    // Renamed into place, so a finder never reads half a description.
    return written && rename(temporary.c_str(), path.c_str()) == 0;
}

bool PeerRegistry::Publish(HWND hwnd) {
    const std::string folder = RuntimeFolder();
    if (folder.empty() || !HandleTable::Instance().OwnedByCallingThread(hwnd)) {
        return false;
    }
    std::lock_guard lock(mutex_);
    if (endpoints_.count(hwnd) != 0) {
        return WriteDescription(folder, hwnd);
    }
    PeerSocket listener = PeerSocket::Listen(folder + "/" + BaseName(getpid(), hwnd) + ".sock");
    if (!listener.Valid()) {
        return false;
    }
    endpoints_[hwnd] = std::make_unique<PeerEndpoint>(hwnd, std::move(listener));
    return WriteDescription(folder, hwnd);
}

void PeerRegistry::Unpublish(HWND hwnd) {
    std::unique_ptr<PeerEndpoint> endpoint;
    {
        std::lock_guard lock(mutex_);
        const auto it = endpoints_.find(hwnd);
        if (it == endpoints_.end()) {
            return;
        }
        endpoint = std::move(it->second);
        endpoints_.erase(it);
    }
    const std::string base = RuntimeFolder() + "/" + BaseName(getpid(), hwnd);
    unlink((base + ".meta").c_str());
    unlink((base + ".sock").c_str());
    endpoint.reset(); // outside the lock: its connections may need the registry while ending
}

void PeerRegistry::TitleChanged(HWND hwnd) {
    std::lock_guard lock(mutex_);
    if (endpoints_.count(hwnd) != 0) {
        WriteDescription(RuntimeFolder(), hwnd);
    }
}

HWND PeerRegistry::Find(std::string_view className, std::string_view title) {
    const std::string folder = RuntimeFolder();
    DIR* dir = folder.empty() ? nullptr : opendir(folder.c_str());
    if (dir == nullptr) {
        return 0;
    }
    std::optional<std::pair<pid_t, HWND>> best;
    timespec bestTime{};
    while (const dirent* entry = readdir(dir)) {
        pid_t pid = 0;
        HWND remote = 0;
        if (!ParseDescriptionName(entry->d_name, &pid, &remote) || pid == getpid()) {
            continue;
        }
        const std::string base = folder + "/" + BaseName(pid, remote);
        if (!ProcessAlive(pid)) {
            unlink((base + ".meta").c_str());
            unlink((base + ".sock").c_str());
            continue;
        }
        timespec written{};
        const auto description = ReadDescription(base + ".meta", &written);
        if (description && plat::text::EqualsNoCaseA(description->first, className) &&
            plat::text::EqualsNoCaseA(description->second, title) && (!best || Later(written, bestTime))) {
            best = std::make_pair(pid, remote);
            bestTime = written;
        }
    }
    closedir(dir);
    return best ? ProxyFor(best->first, best->second) : 0;
}

void PeerRegistry::DropDeadProxies() {
    for (auto it = proxies_.begin(); it != proxies_.end();) {
        if (!ProcessAlive(it->first.first)) {
            HandleTable::Instance().Remove(it->second);
            it = proxies_.erase(it);
        } else {
            ++it;
        }
    }
}

HWND PeerRegistry::ProxyFor(pid_t pid, HWND remote) {
    if (remote == 0 || pid <= 0) {
        return 0;
    }
    std::lock_guard lock(mutex_);
    const auto key = std::make_pair(pid, remote);
    if (const auto it = proxies_.find(key); it != proxies_.end()) {
        return it->second;
    }
    if (proxies_.size() >= kMaxProxies) {
        DropDeadProxies();
        if (proxies_.size() >= kMaxProxies) {
            HandleTable::Instance().Remove(proxies_.begin()->second);
            proxies_.erase(proxies_.begin());
        }
    }
    WindowEntry entry;
    entry.peer = std::make_shared<const PeerAddress>(
        PeerAddress{pid, remote, RuntimeFolder() + "/" + BaseName(pid, remote) + ".sock"});
    const HWND proxy = HandleTable::Instance().Add(std::move(entry));
    if (proxy != 0) {
        proxies_[key] = proxy;
    }
    return proxy;
}

std::optional<PeerAddress> PeerRegistry::AddressOf(HWND hwnd) const {
    const auto peer = HandleTable::Instance().PeerOf(hwnd);
    return peer ? std::optional<PeerAddress>(*peer) : std::nullopt;
}

void PeerRegistry::Forget(HWND hwnd) {
    std::lock_guard lock(mutex_);
    for (auto it = proxies_.begin(); it != proxies_.end(); ++it) {
        if (it->second == hwnd) {
            HandleTable::Instance().Remove(hwnd);
            proxies_.erase(it);
            return;
        }
    }
}

} // namespace plat::win
