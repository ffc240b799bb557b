#pragma once
// The listening side of one published window: accepts connections from processes of our user and
// delivers each packet to the window as the message it carries. Sent messages are answered with the
// window procedure's result; posted ones are queued. Each connection is served on a thread of its
// own, so a peer blocked in a nested send never holds up another.
#include "platform/win/PeerFrame.h"
#include "platform/win/PeerSocket.h"
#include "platform/win/Types.h"

#include <atomic>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

namespace plat::win {

class ThreadQueue;

class PeerEndpoint {
public:
    PeerEndpoint(HWND hwnd, PeerSocket listener);
    // Stops serving; delivers the messages the connections still send to this thread meanwhile.
    ~PeerEndpoint();
    PeerEndpoint(const PeerEndpoint&) = delete;
    PeerEndpoint& operator=(const PeerEndpoint&) = delete;

private:
    struct Connection {
        std::thread thread;
        std::atomic<bool> finished{false};
    };

    void AcceptLoop();
    void Serve(PeerSocket socket, pid_t peer, Connection* self);
    LRESULT Deliver(const PeerFrame::Request& request, pid_t peer) const;
    void Finished(Connection* connection);
    void ReapFinished();

    const HWND hwnd_;
    PeerSocket listener_;
    int stopPipe_[2] = {-1, -1};
    std::mutex mutex_;
    std::list<std::unique_ptr<Connection>> connections_;
    std::shared_ptr<ThreadQueue> stopper_; // the thread waiting for the connections to end
    std::atomic<int> running_{0};
    std::thread acceptThread_;
};

} // namespace plat::win
