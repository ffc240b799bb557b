#pragma once
// The two output lines of a serial port that a device may draw its power from. Behind an interface
// because pseudo-terminals refuse them: tests record what would have been set.
namespace plat::serial {

enum class ModemLine { Dtr, Rts };

class ModemLines {
public:
    virtual ~ModemLines() = default;
    // Raises or drops the line; 0 on success, else the system's error number.
    virtual int Set(ModemLine line, bool on) = 0;
};

} // namespace plat::serial
