#include "platform/win/PeerEndpoint.h"

#include "platform/win/Message.h"
#include "platform/win/PeerRegistry.h"
#include "platform/win/ThreadQueue.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace plat::win {

PeerEndpoint::PeerEndpoint(HWND hwnd, PeerSocket listener) : hwnd_(hwnd), listener_(std::move(listener)) {
    if (pipe2(stopPipe_, O_CLOEXEC) != 0) {
        stopPipe_[0] = stopPipe_[1] = -1;
        return;
    }
    running_ = 1;
    acceptThread_ = std::thread([this] { AcceptLoop(); });
}

PeerEndpoint::~PeerEndpoint() {
    {
        std::lock_guard lock(mutex_);
        stopper_ = ThreadQueue::Current();
    }
    if (stopPipe_[1] >= 0) {
        const char stop = 1;
        while (write(stopPipe_[1], &stop, 1) < 0 && errno == EINTR) {
        }
    }
    // A connection may be delivering to a window of this thread; answer it while waiting.
    if (stopper_) {
        stopper_->AwaitDelivering([this] { return running_.load() == 0; });
    }
    if (acceptThread_.joinable()) {
        acceptThread_.join();
    }
    for (auto& connection : connections_) {
        connection->thread.join();
    }
    for (const int fd : stopPipe_) {
        if (fd >= 0) {
            close(fd);
        }
    }
}

void PeerEndpoint::Finished(Connection* connection) {
    std::lock_guard lock(mutex_);
    if (connection != nullptr) {
        connection->finished = true;
    }
    if (--running_ == 0 && stopper_) {
        stopper_->Wake();
    }
}

void PeerEndpoint::ReapFinished() {
    std::lock_guard lock(mutex_);
    for (auto it = connections_.begin(); it != connections_.end();) {
        if ((*it)->finished) {
            (*it)->thread.join();
            it = connections_.erase(it);
        } else {
            ++it;
        }
    }
}

void PeerEndpoint::AcceptLoop() {
    for (;;) {
        pollfd fds[2] = {{listener_.Fd(), POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
        if (poll(fds, 2, -1) < 0 && errno != EINTR) {
            break;
        }
        if (fds[1].revents != 0) {
            break;
        }
        if ((fds[0].revents & POLLIN) == 0) {
            continue;
        }
        pid_t peer = -1;
        PeerSocket socket = listener_.Accept(&peer);
        ReapFinished();
        if (!socket.Valid()) {
            continue;
        }
        std::lock_guard lock(mutex_);
        auto connection = std::make_unique<Connection>();
        Connection* self = connection.get();
        ++running_;
        connection->thread = std::thread(
            [this, peer, self, s = std::move(socket)]() mutable { Serve(std::move(s), peer, self); });
        connections_.push_back(std::move(connection));
    }
    Finished(nullptr);
}

void PeerEndpoint::Serve(PeerSocket socket, pid_t peer, Connection* self) {
    std::vector<std::uint8_t> packet;
    while (socket.ReceivePacket(PeerFrame::kMaxPacket, &packet, stopPipe_[0]) == PeerSocket::Status::Packet) {
        const auto request = PeerFrame::Decode(packet);
        if (!request) {
            break; // a malformed packet ends the connection; a waiting sender sees 0
        }
        const LRESULT result = Deliver(*request, peer);
        if (request->type == PeerFrame::kSend && !socket.SendPacket(PeerFrame::EncodeReply(result))) {
            break;
        }
    }
    Finished(self);
}

LRESULT PeerEndpoint::Deliver(const PeerFrame::Request& request, pid_t peer) const {
    if (request.type == PeerFrame::kPost) {
        PostMessage(hwnd_, request.msg, static_cast<WPARAM>(request.wParam),
                    static_cast<LPARAM>(request.lParam));
        return 0;
    }
    if (request.msg != WM_COPYDATA) {
        return SendMessage(hwnd_, request.msg, static_cast<WPARAM>(request.wParam),
                           static_cast<LPARAM>(request.lParam));
    }
    // The sending window becomes a handle of ours through which the receiver can answer it.
    const HWND sender = request.wParam <= 0xFFFFFFFFu
                            ? PeerRegistry::Instance().ProxyFor(peer, static_cast<HWND>(request.wParam))
                            : 0;
    const COPYDATASTRUCT copy{static_cast<std::uintptr_t>(request.dwData),
                              static_cast<DWORD>(request.data.size()),
                              request.data.empty() ? nullptr : request.data.data()};
    return SendMessage(hwnd_, WM_COPYDATA, sender, reinterpret_cast<LPARAM>(&copy));
}

} // namespace plat::win
