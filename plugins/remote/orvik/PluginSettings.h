#pragma once
// The plug-in's settings file "plug_orvik.cfg" beside the library: the receiver's port as a COM
// number and, for receivers on USB, an optional device path that takes its place.
#include <string>

namespace orvik {

class PluginSettings {
public:
    static constexpr const char* FileName = "plug_orvik.cfg";

    int Port() const { return Port_; }
    const std::string& Device() const { return Device_; }
    // A COM number from 1; others are refused and change nothing. Forgets the device path.
    bool SetPort(int port);
    // A device path below /dev/ (see plat::serial::IsDevicePath); others are refused.
    bool SetDevice(const std::string& device);

    // The device to open: the device path when there is one, else the COM port's.
    std::string DevicePath() const;
    // How the port dialog names the port: the device path, else "COMn".
    std::string PortName() const;
    // Takes a name of the port dialog: "COMn" (any case) sets the port, a device path the device.
    // False, with the settings unchanged, for anything else (an empty list gives an empty name).
    bool SetPortName(const std::string& name);
    // The dialog's name of a device: "COMn" for a built-in port, else the path itself.
    static std::string PortNameOf(const std::string& device);

    // Reads the file of the folder (a folder name ends with its separator). The root element's name
    // does not matter; within its first IRMANCONFIG child (any case) the last valid COMPORT sets the
    // port and the last valid DEVICE the device path. False, with the settings unchanged, when the
    // file cannot be read.
    bool Read(const std::string& folder);
    // The same for the file's text.
    void Parse(const std::u16string& text);
    // Writes the file: CR LF lines, the device line only when there is a device path, then two zero
    // bytes. The old file stays whole when the write fails (false, errno set).
    bool Write(const std::string& folder) const;

private:
    int Port_ = 1;
    std::string Device_;
};

} // namespace orvik
