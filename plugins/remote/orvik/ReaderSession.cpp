#include "plugins/remote/orvik/ReaderSession.h"

#include <cerrno>

namespace orvik {

ReaderSession::ReaderSession(std::shared_ptr<PluginMessages> messages, std::shared_ptr<HostCallbackSlot> host)
    : Messages(std::move(messages)), Host(std::move(host)) {}

void ReaderSession::WriteSerialByte(std::uint8_t byte) {
    const int result = Port.Write(&byte, 1, Stop);
    if (result != 0 && result != plat::serial::SerialPort::Stopped) {
        Messages->ShowSystemError(result);
    }
}

long ReaderSession::ReadSerial(std::size_t count, std::uint8_t* buffer, bool wait, bool* hungUp) {
    const long result = Port.Read(buffer, count, wait, Stop);
    if (result == plat::serial::SerialPort::Stopped) {
        return -1;
    }
    if (result < 0) {
        Messages->ShowSystemError(static_cast<int>(-result));
        if (hungUp != nullptr) {
            *hungUp = result == -EIO || result == -ENXIO || result == -ENODEV || result == -EBADF;
        }
        return -1;
    }
    return Stop.IsSet() ? -1 : result;
}

bool ReaderSession::ContinueReading() {
    return !Stop.IsSet();
}

bool ReaderSession::EnterCallback() {
    const std::lock_guard lock(Mutex);
    if (Stop.IsSet()) {
        return false;
    }
    Position = Where::InCallback;
    Moved.notify_all();
    return true;
}

bool ReaderSession::LeaveCallback() {
    const std::lock_guard lock(Mutex);
    Position = Where::Reading;
    Moved.notify_all();
    return !Stop.IsSet();
}

void ReaderSession::MarkExited() {
    const std::lock_guard lock(Mutex);
    Position = Where::Exited;
    Moved.notify_all();
}

bool ReaderSession::StopReader(std::chrono::milliseconds grace) {
    std::unique_lock lock(Mutex);
    Stop.Set();
    Moved.wait(lock, [this] { return Position != Where::Reading; });
    return Moved.wait_for(lock, grace, [this] { return Position == Where::Exited; });
}

} // namespace orvik
