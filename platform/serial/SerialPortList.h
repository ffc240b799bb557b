#pragma once
// The serial ports the system has, as device paths, read from sysfs: built-in ports with a UART
// behind them (/dev/ttyS*), USB serial adapters (/dev/ttyUSB*) and USB modems (/dev/ttyACM*).
#include <string>
#include <vector>

namespace plat::serial {

// `sysRoot` is the sysfs mount ("/sys"; tests give a folder laid out like it). Built-in ports first,
// then USB adapters, then modems, each by number. Empty when the folder cannot be read.
std::vector<std::string> ListSerialPorts(const std::string& sysRoot = "/sys");

} // namespace plat::serial
