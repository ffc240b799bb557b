#pragma once
// A pseudo-terminal for serial tests: the code under test opens the slave device as its port, the
// test plays the device on the master side.
#include <cstdint>
#include <string>
#include <vector>

namespace plat::serial::testing {

class PseudoTerminal {
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool IsValid() const { return Master >= 0; }
    const std::string& SlavePath() const { return Slave; }
    int Descriptor() const { return Master; }
    // Keeps the slave open (unread, unlocked) so that the master never reports a hang-up while the
    // code under test has its port closed.
    bool HoldSlave();

    // Sends bytes to the port's side.
    bool Send(const std::vector<std::uint8_t>& bytes);
    // What the port's side wrote so far, without waiting.
    std::vector<std::uint8_t> ReceiveAvailable();
    // Waits (in poll, bounded by a generous failure limit) until `count` bytes have come.
    std::vector<std::uint8_t> Receive(std::size_t count);
    // Hangs the line up: the port's side reads end with an error from now on.
    void CloseMaster();

private:
    int Master = -1;
    int HeldSlave = -1;
    std::string Slave;
};

} // namespace plat::serial::testing
