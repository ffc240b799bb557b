#include "platform/serial/tests/PseudoTerminal.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>

namespace plat::serial::testing {

namespace {

// Only a broken test waits this long; a passing one is woken by the data.
constexpr int FailureLimitMs = 5000;

} // namespace

PseudoTerminal::PseudoTerminal() {
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0) {
        return;
    }
    char name[128] = {};
    if (grantpt(master) != 0 || unlockpt(master) != 0 || ptsname_r(master, name, sizeof name) != 0) {
        close(master);
        return;
    }
    Master = master;
    Slave = name;
}

PseudoTerminal::~PseudoTerminal() {
    if (HeldSlave >= 0) {
        close(HeldSlave);
    }
    CloseMaster();
}

bool PseudoTerminal::HoldSlave() {
    HeldSlave = HeldSlave >= 0 ? HeldSlave : open(Slave.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    return HeldSlave >= 0;
}

bool PseudoTerminal::Send(const std::vector<std::uint8_t>& bytes) {
    return write(Master, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

std::vector<std::uint8_t> PseudoTerminal::ReceiveAvailable() {
    std::vector<std::uint8_t> bytes;
    pollfd fd{Master, POLLIN, 0};
    while (poll(&fd, 1, 0) == 1 && (fd.revents & POLLIN) != 0) {
        std::uint8_t byte = 0;
        if (read(Master, &byte, 1) != 1) {
            break;
        }
        bytes.push_back(byte);
    }
    return bytes;
}

std::vector<std::uint8_t> PseudoTerminal::Receive(std::size_t count) {
    std::vector<std::uint8_t> bytes;
    pollfd fd{Master, POLLIN, 0};
    while (bytes.size() < count && poll(&fd, 1, FailureLimitMs) == 1 && (fd.revents & POLLIN) != 0) {
        std::uint8_t byte = 0;
        if (read(Master, &byte, 1) != 1) {
            break;
        }
        bytes.push_back(byte);
    }
    return bytes;
}

void PseudoTerminal::CloseMaster() {
    if (Master >= 0) {
        close(Master);
        Master = -1;
    }
}

} // namespace plat::serial::testing
