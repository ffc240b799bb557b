#include "plugins/remote/orvik/tests/ThreadedIrman.h"

#include <poll.h>

#include <string>

namespace orvik::testing {

ThreadedIrman::ThreadedIrman() {
    if (Terminal.HoldSlave()) {
        Responder = std::thread([this] { Answer(); });
    }
}

ThreadedIrman::~ThreadedIrman() {
    Stop.Set();
    if (Responder.joinable()) {
        Responder.join();
    }
}

void ThreadedIrman::Answer() {
    std::string heard;
    pollfd fds[2] = {{Terminal.Descriptor(), POLLIN, 0}, {Stop.Fd(), POLLIN, 0}};
    while (!Stop.IsSet()) {
        if (poll(fds, 2, -1) <= 0 || (fds[0].revents & POLLIN) == 0) {
            continue;
        }
        for (const std::uint8_t byte : Terminal.ReceiveAvailable()) {
            heard += static_cast<char>(byte);
            if (heard.ends_with("IR")) {
                heard.clear();
                Terminal.Send({'O', 'K'});
            }
        }
    }
}

} // namespace orvik::testing
