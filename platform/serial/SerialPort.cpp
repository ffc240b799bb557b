#include "platform/serial/SerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

namespace plat::serial {

SerialPort::~SerialPort() {
    Close();
}

int SerialPort::Open(const std::string& device) {
    Close();
    const int fd = open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    int error = 0;
    if (isatty(fd) == 0) {
        error = ENOTTY;
    } else if (ioctl(fd, TIOCEXCL) != 0) {
        error = errno;
    } else if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        error = errno == EWOULDBLOCK ? EBUSY : errno;
    }
    if (error != 0) {
        close(fd);
        return error;
    }
    Fd = fd;
    return 0;
}

int SerialPort::ReadSettings() {
    if (tcgetattr(Fd, &Saved) != 0) {
        return errno;
    }
    HasSaved = true;
    return 0;
}

int SerialPort::ApplyRaw(speed_t speed) {
    termios settings{};
    if (tcgetattr(Fd, &settings) != 0) {
        return errno;
    }
    cfmakeraw(&settings);
    settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    // Reads never wait inside the system (the descriptor is non-blocking): with one byte wanted an
    // empty buffer answers EAGAIN and only a hung-up line answers 0.
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    if (cfsetispeed(&settings, speed) != 0 || cfsetospeed(&settings, speed) != 0) {
        return errno;
    }
    return tcsetattr(Fd, TCSANOW, &settings) == 0 ? 0 : errno;
}

int SerialPort::RestoreSettings() {
    if (!HasSaved) {
        return EINVAL;
    }
    return tcsetattr(Fd, TCSANOW, &Saved) == 0 ? 0 : errno;
}

int SerialPort::Purge() {
    return tcflush(Fd, TCIOFLUSH) == 0 ? 0 : errno;
}

long SerialPort::WaitFor(short events, const StopSignal& stop) const {
    pollfd fds[2] = {{Fd, events, 0}, {stop.Fd(), POLLIN, 0}};
    for (;;) {
        if (stop.IsSet()) {
            return Stopped;
        }
        const int ready = poll(fds, 2, -1);
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -errno;
        }
        if (stop.IsSet()) {
            return Stopped;
        }
        if ((fds[0].revents & events) != 0) {
            return 0;
        }
        if ((fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
            return -EIO;
        }
    }
}

int SerialPort::Write(const std::uint8_t* data, std::size_t size, const StopSignal& stop) {
    std::size_t done = 0;
    while (done < size) {
        const long waited = WaitFor(POLLOUT, stop);
        if (waited != 0) {
            return waited == Stopped ? static_cast<int>(Stopped) : static_cast<int>(-waited);
        }
        const ssize_t written = write(Fd, data + done, size - done);
        if (written < 0) {
            if (errno == EAGAIN || errno == EINTR) {
                continue;
            }
            return errno;
        }
        done += static_cast<std::size_t>(written);
    }
    return tcdrain(Fd) == 0 ? 0 : errno;
}

long SerialPort::Read(std::uint8_t* buffer, std::size_t count, bool wait, const StopSignal& stop) {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = read(Fd, buffer + done, count - done);
        if (got > 0) {
            done += static_cast<std::size_t>(got);
            continue;
        }
        if (got == 0) {
            // The line hung up (see ApplyRaw).
            return -EIO;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != EAGAIN) {
            return -errno;
        }
        if (!wait) {
            break;
        }
        const long waited = WaitFor(POLLIN, stop);
        if (waited != 0) {
            return waited;
        }
    }
    return static_cast<long>(done);
}

void SerialPort::Close() {
    if (Fd >= 0) {
        close(Fd);
        Fd = -1;
    }
    HasSaved = false;
}

} // namespace plat::serial
