#include "platform/win/PeerSocket.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

namespace plat::win {

namespace {

bool MakeAddress(const std::string& path, sockaddr_un* address) {
    *address = {};
    address->sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address->sun_path) {
        return false;
    }
    std::memcpy(address->sun_path, path.c_str(), path.size() + 1);
    return true;
}

int NewSocket() {
    return socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
}

} // namespace

PeerSocket::~PeerSocket() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

PeerSocket::PeerSocket(PeerSocket&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

PeerSocket& PeerSocket::operator=(PeerSocket&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) {
            close(fd_);
        }
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

PeerSocket PeerSocket::Connect(const std::string& path) {
    sockaddr_un address{};
    if (!MakeAddress(path, &address)) {
        return {};
    }
    PeerSocket socket(NewSocket());
    if (!socket.Valid()) {
        return {};
    }
    int rc = 0;
    do {
        rc = connect(socket.fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0 || socket.SameUserPeer() < 0) {
        return {};
    }
    return socket;
}

PeerSocket PeerSocket::Listen(const std::string& path) {
    sockaddr_un address{};
    if (!MakeAddress(path, &address)) {
        return {};
    }
    PeerSocket socket(NewSocket());
    unlink(path.c_str());
    if (!socket.Valid() ||
        bind(socket.fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        listen(socket.fd_, 16) != 0) {
        return {};
    }
    return socket;
}

PeerSocket PeerSocket::Accept(pid_t* peerPid) const {
    PeerSocket connection(accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC));
    if (!connection.Valid()) {
        return {};
    }
    *peerPid = connection.SameUserPeer();
    return *peerPid < 0 ? PeerSocket() : std::move(connection);
}

pid_t PeerSocket::SameUserPeer() const {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (getsockopt(fd_, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0 || size != sizeof credentials ||
        credentials.uid != getuid()) {
        return -1;
    }
    return credentials.pid;
}

bool PeerSocket::SendPacket(std::span<const std::uint8_t> packet) const {
    ssize_t sent = 0;
    do {
        sent = send(fd_, packet.data(), packet.size(), MSG_NOSIGNAL);
    } while (sent < 0 && errno == EINTR);
    return sent == static_cast<ssize_t>(packet.size());
}

PeerSocket::Status PeerSocket::ReceivePacket(std::size_t maxSize, std::vector<std::uint8_t>* packet,
                                             int stopFd) const {
    pollfd fds[2] = {{fd_, POLLIN, 0}, {stopFd, POLLIN, 0}};
    const nfds_t count = stopFd >= 0 ? 2 : 1;
    for (;;) {
        const int ready = poll(fds, count, -1);
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready < 0) {
            return Status::Closed;
        }
        if (count == 2 && fds[1].revents != 0) {
            return Status::Stopped;
        }
        break;
    }
    // One byte more than allowed tells an oversized packet from one of exactly the limit.
    packet->resize(maxSize + 1);
    ssize_t received = 0;
    do {
        received = recv(fd_, packet->data(), packet->size(), MSG_TRUNC);
    } while (received < 0 && errno == EINTR);
    if (received <= 0) {
        packet->clear();
        return Status::Closed;
    }
    if (static_cast<std::size_t>(received) > maxSize) {
        packet->clear();
        return Status::TooLarge;
    }
    packet->resize(static_cast<std::size_t>(received));
    return Status::Packet;
}

void PeerSocket::Shutdown() const {
    if (fd_ >= 0) {
        shutdown(fd_, SHUT_RDWR);
    }
}

} // namespace plat::win
