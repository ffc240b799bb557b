#pragma once
// The modem lines of a real serial port, through the terminal's modem-control requests.
#include "platform/serial/ModemLines.h"

namespace plat::serial {

class TtyModemLines : public ModemLines {
public:
    // The descriptor stays owned by the caller and must outlive this object.
    explicit TtyModemLines(int fd) : Fd(fd) {}
    int Set(ModemLine line, bool on) override;

private:
    int Fd;
};

} // namespace plat::serial
