#pragma once
// One opening of the receiver's port: the port, its modem lines, the stop request, and where the
// reader thread stands, shared by the reader and the thread that stops it. The reader uses the port
// only while it is reading, so a stopping thread may close the port as soon as the reader has ended
// or sits in the player's callback (which it leaves only to end, once a stop has been asked for).
#include "platform/serial/ModemLines.h"
#include "platform/serial/SerialPort.h"
#include "platform/serial/StopSignal.h"
#include "plugins/remote/orvik/HostCallbackSlot.h"
#include "plugins/remote/orvik/PluginMessages.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

namespace orvik {

class ReaderSession {
public:
    ReaderSession(std::shared_ptr<PluginMessages> messages, std::shared_ptr<HostCallbackSlot> host);

    plat::serial::SerialPort Port;
    plat::serial::StopSignal Stop;
    std::unique_ptr<plat::serial::ModemLines> Lines;
    const std::shared_ptr<PluginMessages> Messages;
    const std::shared_ptr<HostCallbackSlot> Host;

    // Writes one byte; an error is shown. A stop ends the wait for room.
    void WriteSerialByte(std::uint8_t byte);
    // Reads `count` bytes (see SerialPort::Read): the number read, or -1 after a stop or an error
    // (an error is shown). `hungUp` tells that the device is gone for good.
    long ReadSerial(std::size_t count, std::uint8_t* buffer, bool wait, bool* hungUp = nullptr);

    // The reader's side. False when a stop has been asked for: the reader then ends.
    bool ContinueReading();
    // Before and after the player's callback; both false when a stop has been asked for.
    bool EnterCallback();
    bool LeaveCallback();
    void MarkExited();

    // The stopping side: asks the reader to stop and waits until it no longer uses the port, and for
    // a reader in the player's callback up to `grace` more for it to end. True when it has ended,
    // false when it still sits in the callback.
    bool StopReader(std::chrono::milliseconds grace);

private:
    enum class Where { Reading, InCallback, Exited };

    std::mutex Mutex;
    std::condition_variable Moved;
    Where Position = Where::Reading;
};

} // namespace orvik
