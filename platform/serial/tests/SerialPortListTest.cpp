#include "platform/serial/SerialPortList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace plat::serial {
namespace {

namespace fs = std::filesystem;

class SerialPortListTest : public ::testing::Test {
protected:
    void SetUp() override {
        Root =
            fs::temp_directory_path() /
            ("serial-list-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(Root);
        fs::create_directories(Root / "class" / "tty");
        fs::create_directories(Root / "devices" / "port");
    }
    void TearDown() override { fs::remove_all(Root); }

    // A class entry; with a device it links to one, as the kernel does for ports with hardware.
    void AddEntry(const std::string& name, bool device, const char* type = nullptr) {
        const fs::path entry = Root / "class" / "tty" / name;
        fs::create_directories(entry);
        if (device) {
            fs::create_directory_symlink(Root / "devices" / "port", entry / "device");
        }
        if (type != nullptr) {
            std::ofstream(entry / "type") << type << "\n";
        }
    }

    fs::path Root;
};

TEST_F(SerialPortListTest, ListsPortsWithHardwareInFamilyAndNumberOrder) {
    AddEntry("ttyUSB0", true);
    AddEntry("ttyS10", true, "4");
    AddEntry("ttyACM0", true);
    AddEntry("ttyS2", true, "4");
    AddEntry("ttyS0", true, "4");
    AddEntry("ttyS1", true, "0"); // registered, no UART
    AddEntry("ttyS3", true);      // no type
    AddEntry("ttyUSB1", false);   // no device
    AddEntry("tty1", true);       // a console
    AddEntry("ttyS", true, "4");  // no number
    AddEntry("ttySx", true, "4");
    AddEntry("ttyUSB2junk", true);
    AddEntry("ptmx", true);
    const std::vector<std::string> expected = {"/dev/ttyS0", "/dev/ttyS2", "/dev/ttyS10", "/dev/ttyUSB0",
                                               "/dev/ttyACM0"};
    EXPECT_EQ(expected, ListSerialPorts(Root.string()));
}

TEST_F(SerialPortListTest, AMissingFolderListsNothing) {
    EXPECT_TRUE(ListSerialPorts((Root / "absent").string()).empty());
    fs::remove_all(Root / "class");
    EXPECT_TRUE(ListSerialPorts(Root.string()).empty());
}

} // namespace
} // namespace plat::serial
