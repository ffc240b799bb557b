#include "platform/serial/PortNames.h"

#include <gtest/gtest.h>

namespace plat::serial {
namespace {

TEST(PortNamesTest, ComNumbersAndBuiltInDevicesMapBothWays) {
    const struct {
        int Number;
        const char* Device;
    } cases[] = {{1, "/dev/ttyS0"}, {2, "/dev/ttyS1"}, {12, "/dev/ttyS11"}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.Device, ComDevicePath(c.Number));
        EXPECT_EQ(c.Number, ComNumberOfDevice(c.Device));
    }
    EXPECT_EQ("", ComDevicePath(0));
    EXPECT_EQ("", ComDevicePath(-3));
}

TEST(PortNamesTest, OnlyBuiltInDevicesHaveComNumbers) {
    for (const char* device : {"/dev/ttyUSB0", "/dev/ttyS", "/dev/ttyS01", "/dev/ttyS-1", "/dev/ttyS1x",
                               "ttyS0", "/dev/ttyS99999999999"}) {
        EXPECT_EQ(0, ComNumberOfDevice(device)) << device;
    }
}

TEST(PortNamesTest, ComNamesParseWithoutRegardToCase) {
    const struct {
        const char* Name;
        int Number;
    } cases[] = {{"COM1", 1},  {"com4", 4},         {"Com12", 12},         {"COM", 0},   {"COM0", 0},
                 {"COM-1", 0}, {"COM+1", 0},        {"COM 3", 0},          {"COM3 ", 0}, {"COMX", 0},
                 {"CON1", 0},  {"/dev/ttyUSB0", 0}, {"COM99999999999", 0}, {"", 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.Number, ParseComName(c.Name)) << c.Name;
    }
}

TEST(PortNamesTest, DevicePathsStayBelowDev) {
    const struct {
        const char* Path;
        bool Accepted;
    } cases[] = {{"/dev/ttyUSB0", true},
                 {"/dev/serial/by-id/usb-IR_receiver-if00", true},
                 {"/dev/serial/by-path/pci-0000:00:14.0-usb-0:2:1.0-port0", true},
                 {"/dev/", false},
                 {"/dev/tty<USB0>", false},
                 {"/dev/tty USB0", false},
                 {"/dev/tty\"USB0", false},
                 {"/dev/../etc/passwd", false},
                 {"/dev/./ttyUSB0", false},
                 {"/dev//ttyUSB0", false},
                 {"/dev/ttyUSB0/", false},
                 {"dev/ttyUSB0", false},
                 {"/tmp/ttyUSB0", false},
                 {"", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.Accepted, IsDevicePath(c.Path)) << c.Path;
    }
}

} // namespace
} // namespace plat::serial
