#pragma once
// Test stand-ins around the receiver: a manual clock, modem lines that power a fake IRman on the far
// side of a pseudo-terminal, and a record of the messages shown.
#include "platform/serial/ModemLines.h"
#include "platform/serial/tests/PseudoTerminal.h"
#include "plugins/remote/orvik/PluginMessages.h"
#include "plugins/remote/orvik/SleepClock.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace orvik::testing {

// Pauses move the time at once; after each pause the device gets to run.
class ManualClock : public SleepClock {
public:
    void Sleep(std::uint32_t milliseconds) override;

    std::uint32_t Now = 0;
    std::function<void()> AfterSleep;
};

// An IRman on the master side of a pseudo-terminal. Powered while both DTR and RTS are up (or always,
// for a port without modem lines); a powered device answers "OK" to "IR" unless it is silent. Logs
// line changes and received bytes with the clock's time ("DTR on@250", "I@512").
class FakeIrman {
public:
    explicit FakeIrman(ManualClock& clock, bool alwaysPowered = false);

    plat::serial::testing::PseudoTerminal Terminal;
    std::string Answer = "OK";
    std::vector<std::string> Log;

    // Called for every line change the port makes.
    void SetLine(plat::serial::ModemLine line, bool on);
    // Reads what the port wrote and answers.
    void Service();
    // A button press: the six bytes of a code.
    bool Press(const std::vector<std::uint8_t>& code);

private:
    ManualClock& Clock;
    bool AlwaysPowered;
    bool Dtr = false;
    bool Rts = false;
    std::string Heard;
};

// Modem lines that hand their changes to a fake device.
class FakeModemLines : public plat::serial::ModemLines {
public:
    explicit FakeModemLines(FakeIrman& device) : Device(device) {}
    int Set(plat::serial::ModemLine line, bool on) override;

private:
    FakeIrman& Device;
};

// Records the messages; thread-safe, and tells a waiting test when one comes.
class RecordingMessages : public PluginMessages {
public:
    ~RecordingMessages() override;
    void ShowMessage(const std::string& text) override;
    std::vector<std::string> Shown() const;
    // Waits (bounded by a failure limit) until `count` messages have come.
    bool AwaitCount(std::size_t count) const;

    // Runs when the last owner lets go: the reader thread has ended.
    std::function<void()> OnDestroyed;

private:
    mutable std::mutex Mutex;
    mutable std::condition_variable Changed;
    std::vector<std::string> Texts;
};

} // namespace orvik::testing
