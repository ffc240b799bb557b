#pragma once
// The serial link to an IRman receiver: power cycle and handshake on opening, then a low-priority
// reader thread that hands every button code to the player as a command text.
#include "platform/serial/ModemLines.h"
#include "plugins/remote/orvik/HostCallbackSlot.h"
#include "plugins/remote/orvik/PluginMessages.h"
#include "plugins/remote/orvik/SleepClock.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace orvik {

class ReaderSession;

class IrReceiver {
public:
    // Makes the modem lines of an open port (its descriptor).
    using ModemLinesFactory = std::function<std::unique_ptr<plat::serial::ModemLines>(int fd)>;

    static constexpr std::uint32_t HalfPowerCycleMs = 250;
    static constexpr std::uint32_t WritePauseMs = 2;
    static constexpr std::uint32_t AfterByteMs = 10;
    static constexpr std::uint32_t AnswerWaitMs = 100;
    // How long a stop waits for a reader to come back from the player's callback, which normally
    // returns within a few milliseconds of the command having run.
    static constexpr std::chrono::milliseconds CallbackGrace{200};

    IrReceiver(std::shared_ptr<PluginMessages> messages, std::shared_ptr<HostCallbackSlot> host,
               SleepClock& clock, ModemLinesFactory lines);
    // Stops a running reader.
    ~IrReceiver();
    IrReceiver(const IrReceiver&) = delete;
    IrReceiver& operator=(const IrReceiver&) = delete;

    // Opens the device, powers the receiver, checks its "OK" and starts the reader. A running reader
    // is stopped first, so there is never a second one. On failure the reason has been shown, and the
    // port is closed with the receiver unpowered.
    bool OpenIrReceiver(const std::string& device);
    // Stops the reader and closes the port; at once without a running reader. Returns as soon as the
    // reader has ended or, when it is held in the player's callback, after CallbackGrace at most: that
    // reader ends when the callback returns, touching nothing of this object, and the library stays
    // mapped for it.
    void StopIrReceiver();
    bool IsRunning() const { return Session != nullptr; }

private:
    // Steps of the opening; false once the reason has been shown.
    bool PreparePort(ReaderSession& session, const std::string& device);
    void PowerCycle(ReaderSession& session);
    bool Handshake(ReaderSession& session);
    void Unpower(ReaderSession& session);

    static void IrReceiverThread(std::shared_ptr<ReaderSession> session);
    // Reads codes until a stop or until the device is gone.
    static void ReadCodes(ReaderSession& session);

    std::shared_ptr<PluginMessages> Messages;
    std::shared_ptr<HostCallbackSlot> Host;
    SleepClock& Clock;
    ModemLinesFactory Lines;
    std::shared_ptr<ReaderSession> Session;
    std::thread Reader;
};

} // namespace orvik
