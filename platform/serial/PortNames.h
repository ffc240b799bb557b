#pragma once
// The names settings files and users give serial ports: "COMn" stands for the n-th built-in port,
// /dev/ttyS(n-1); other ports (USB receivers) go by their device path.
#include <string>
#include <string_view>

namespace plat::serial {

// "/dev/ttyS(n-1)"; empty for n below 1.
std::string ComDevicePath(int number);
// n for "/dev/ttyS(n-1)", else 0.
int ComNumberOfDevice(std::string_view device);
// n for "COMn" (any case, n from 1 without sign or blanks), else 0.
int ParseComName(std::string_view name);
// True for an absolute path below /dev/ without "." or ".." steps, made of letters, digits and
// "-_.:+@,=": the only device paths a settings file may name.
bool IsDevicePath(std::string_view path);

} // namespace plat::serial
