#pragma once
// A Unix sequenced-packet socket between processes of the same user: each packet arrives whole or
// not at all. Connections whose peer runs as another user are refused on both sides.
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace plat::win {

class PeerSocket {
public:
    PeerSocket() = default;
    explicit PeerSocket(int fd) : fd_(fd) {}
    ~PeerSocket();
    PeerSocket(PeerSocket&& other) noexcept;
    PeerSocket& operator=(PeerSocket&& other) noexcept;
    PeerSocket(const PeerSocket&) = delete;
    PeerSocket& operator=(const PeerSocket&) = delete;

    // Invalid when the path does not fit a socket address or nothing listens there.
    static PeerSocket Connect(const std::string& path);
    // Listens at the path (an old socket file there is replaced).
    static PeerSocket Listen(const std::string& path);

    bool Valid() const { return fd_ >= 0; }
    int Fd() const { return fd_; }

    // Invalid when nothing waits or the peer runs as another user; *peerPid gets the peer's process.
    PeerSocket Accept(pid_t* peerPid) const;
    // The peer's process when it runs as our user, else -1.
    pid_t SameUserPeer() const;

    bool SendPacket(std::span<const std::uint8_t> packet) const;

    enum class Status { Packet, TooLarge, Closed, Stopped };
    // Waits for one packet (at most maxSize bytes) or for stopFd (-1: none) to become readable.
    Status ReceivePacket(std::size_t maxSize, std::vector<std::uint8_t>* packet, int stopFd = -1) const;

    // Wakes a thread blocked on this socket: its receive sees the connection closed.
    void Shutdown() const;

private:
    int fd_ = -1;
};

} // namespace plat::win
