#pragma once
// A serial port opened for this process alone, read and written without blocking past a stop
// request. Errors are the system's error numbers (0 = success).
#include "platform/serial/StopSignal.h"

#include <termios.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace plat::serial {

class SerialPort {
public:
    // What a read or write answers besides a byte count: the stop signal was set, or an error number.
    static constexpr long Stopped = -1;

    SerialPort() = default;
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens an existing terminal device for reading and writing, never as the controlling terminal.
    // Exclusive: a second opener, in this process or another, is refused with EBUSY (terminal
    // exclusive mode plus an advisory lock, since root passes the former). ENOTTY for a device that
    // is not a terminal.
    int Open(const std::string& device);
    bool IsOpen() const { return Fd >= 0; }
    int Descriptor() const { return Fd; }

    // Reads the current line settings and keeps a copy for RestoreSettings.
    int ReadSettings();
    // Raw bytes at the given speed, 8 data bits, no parity, one stop bit, no flow control, modem
    // status ignored; everything else as read.
    int ApplyRaw(speed_t speed);
    // Puts the settings kept by ReadSettings back.
    int RestoreSettings();
    // Drops whatever waits in the input and output buffers.
    int Purge();

    // Writes the bytes, waiting for room, then waits until they have left. Stopped when `stop` is set
    // first; else 0 or an error number.
    int Write(const std::uint8_t* data, std::size_t size, const StopSignal& stop);
    // Reads up to `count` bytes. Without `wait`, what has arrived (possibly 0). With `wait`, until
    // `count` bytes have come or `stop` is set (Stopped). -errno on failure; -EIO when the device hung
    // up (unplugged, or the other side of a pseudo-terminal closed).
    long Read(std::uint8_t* buffer, std::size_t count, bool wait, const StopSignal& stop);

    void Close();

private:
    // Waits until the descriptor is ready for `events` or the stop signal is set: 0, Stopped or -errno.
    long WaitFor(short events, const StopSignal& stop) const;

    int Fd = -1;
    termios Saved{};
    bool HasSaved = false;
};

} // namespace plat::serial
