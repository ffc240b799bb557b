#pragma once
// An IRman on the master side of a pseudo-terminal that answers on a thread of its own, for a
// plug-in that pauses on the real clock: "OK" to every "IR". It powers itself (pseudo-terminals have
// no modem lines).
#include "platform/serial/StopSignal.h"
#include "platform/serial/tests/PseudoTerminal.h"

#include <cstdint>
#include <thread>
#include <vector>

namespace orvik::testing {

class ThreadedIrman {
public:
    ThreadedIrman();
    ~ThreadedIrman();
    ThreadedIrman(const ThreadedIrman&) = delete;
    ThreadedIrman& operator=(const ThreadedIrman&) = delete;

    bool IsValid() const { return Responder.joinable(); }
    const std::string& SlavePath() const { return Terminal.SlavePath(); }
    // A button press: the six bytes of a code.
    bool Press(const std::vector<std::uint8_t>& code) { return Terminal.Send(code); }

private:
    void Answer();

    plat::serial::testing::PseudoTerminal Terminal;
    plat::serial::StopSignal Stop;
    std::thread Responder;
};

} // namespace orvik::testing
