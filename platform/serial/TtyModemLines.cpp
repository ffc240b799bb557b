#include "platform/serial/TtyModemLines.h"

#include <sys/ioctl.h>

#include <cerrno>

namespace plat::serial {

int TtyModemLines::Set(ModemLine line, bool on) {
    const int bits = line == ModemLine::Dtr ? TIOCM_DTR : TIOCM_RTS;
    return ioctl(Fd, on ? TIOCMBIS : TIOCMBIC, &bits) == 0 ? 0 : errno;
}

} // namespace plat::serial
