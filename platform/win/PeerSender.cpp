#include "platform/win/PeerSender.h"

#include "platform/win/PeerFrame.h"
#include "platform/win/PeerRegistry.h"
#include "platform/win/PeerSocket.h"
#include "platform/win/ThreadQueue.h"

#include <signal.h>

#include <atomic>
#include <cerrno>
#include <map>
#include <optional>
#include <thread>
#include <vector>

namespace plat::win {

namespace {

constexpr std::size_t kMaxIdleConnections = 16;

// Connections not in use by a send of this thread. A nested send to the same window while an outer
// one waits takes a fresh connection, as the outer one's is busy.
thread_local std::map<std::string, PeerSocket> idleConnections;

PeerSocket TakeConnection(const std::string& path) {
    const auto it = idleConnections.find(path);
    if (it == idleConnections.end()) {
        return PeerSocket::Connect(path);
    }
    PeerSocket socket = std::move(it->second);
    idleConnections.erase(it);
    return socket;
}

void ReturnConnection(const std::string& path, PeerSocket socket) {
    if (idleConnections.size() >= kMaxIdleConnections) {
        idleConnections.clear();
    }
    idleConnections[path] = std::move(socket);
}

// Sends the packet on an idle connection, or on a new one when the idle one has broken.
PeerSocket Deliver(const std::string& path, const std::vector<std::uint8_t>& packet) {
    PeerSocket socket = TakeConnection(path);
    if (socket.Valid() && socket.SendPacket(packet)) {
        return socket;
    }
    socket = PeerSocket::Connect(path);
    return socket.Valid() && socket.SendPacket(packet) ? std::move(socket) : PeerSocket();
}

std::optional<LRESULT> ReadReply(const PeerSocket& socket) {
    std::vector<std::uint8_t> packet;
    if (socket.ReceivePacket(sizeof(PeerReply), &packet) != PeerSocket::Status::Packet) {
        return std::nullopt;
    }
    return PeerFrame::DecodeReply(packet);
}

// Waits for the reply while the calling thread answers the messages sent to its windows.
std::optional<LRESULT> AwaitReply(const PeerSocket& socket) {
    const auto queue = ThreadQueue::Current();
    if (!queue) {
        return ReadReply(socket);
    }
    std::atomic<bool> done{false};
    std::optional<LRESULT> reply;
    std::thread reader([&] {
        reply = ReadReply(socket);
        done = true;
        queue->Wake();
    });
    queue->AwaitDelivering([&] { return done.load(); });
    reader.join();
    return reply;
}

} // namespace

LRESULT PeerSender::Send(HWND proxy, const PeerAddress& address, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!PeerFrame::MayCross(msg, false)) {
        return 0;
    }
    const auto* copy = msg == WM_COPYDATA ? reinterpret_cast<const COPYDATASTRUCT*>(lParam) : nullptr;
    if (copy != nullptr && copy->cbData > PeerFrame::kMaxData) {
        return 0;
    }
    PeerSocket socket =
        Deliver(address.socketPath, PeerFrame::Encode(PeerFrame::kSend, msg, wParam, lParam, copy));
    if (!socket.Valid()) {
        PeerRegistry::Instance().Forget(proxy);
        return 0;
    }
    const auto reply = AwaitReply(socket);
    if (!reply) {
        // The connection broke: a window whose process has gone is gone.
        if (kill(address.pid, 0) != 0 && errno == ESRCH) {
            PeerRegistry::Instance().Forget(proxy);
        }
        return 0;
    }
    ReturnConnection(address.socketPath, std::move(socket));
    return *reply;
}

bool PeerSender::Post(HWND proxy, const PeerAddress& address, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!PeerFrame::MayCross(msg, true)) {
        return false;
    }
    PeerSocket socket =
        Deliver(address.socketPath, PeerFrame::Encode(PeerFrame::kPost, msg, wParam, lParam, nullptr));
    if (!socket.Valid()) {
        PeerRegistry::Instance().Forget(proxy);
        return false;
    }
    ReturnConnection(address.socketPath, std::move(socket));
    return true;
}

} // namespace plat::win
